// The __cxa_throw interposition with its record of recent throws, and the translation of addresses.
#include "throwsite.h"

#include "mapfile.h"
#include "throwrecorder_p.h"

#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <link.h>

namespace kv::errors {
namespace {

int findCode(dl_phdr_info* info, size_t, void* data) {
    auto* range = static_cast<CodeRange*>(data);
    // The first object the dynamic loader reports is the main program.
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        if (ph.p_type == PT_LOAD && (ph.p_flags & PF_X)) {
            range->start = uintptr_t(info->dlpi_addr + ph.p_vaddr);
            range->size = uintptr_t(ph.p_memsz);
            break;
        }
    }
    return 1;
}

QString demangled(const char* name) {
    int status = 0;
    char* out = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    const QString text = QString::fromUtf8(status == 0 && out ? out : name);
    std::free(out);
    return text;
}

// Library code instantiated into the program: skipped when looking for our own call.
bool libraryProcedure(const QString& name) {
    // A function template's name starts with its return type: the scope begins after the last blank
    // outside template brackets before the parameter list.
    int depth = 0, scope = 0;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == QLatin1Char('<'))
            ++depth;
        else if (c == QLatin1Char('>'))
            --depth;
        else if (c == QLatin1Char('(') && depth == 0)
            break;
        else if (c == QLatin1Char(' ') && depth == 0)
            scope = i + 1;
    }
    const QStringView qualified = QStringView(name).mid(scope);
    return qualified.startsWith(QLatin1String("std::")) || qualified.startsWith(QLatin1String("__gnu_cxx::"));
}

} // namespace

std::vector<uintptr_t> throwStack(const std::exception_ptr& error) {
    static_assert(sizeof(std::exception_ptr) == sizeof(void*), "libstdc++'s exception_ptr holds the object");
    if (!error)
        return {};
    void* object;
    std::memcpy(&object, &error, sizeof object);
    void* frames[detail::kThrowFrames];
    const int count = detail::recordedThrow(object, frames);
    std::vector<uintptr_t> stack;
    for (int i = 0; i < count; ++i)
        stack.push_back(reinterpret_cast<uintptr_t>(frames[i]));
    return stack;
}

const CodeRange& programCode() {
    static const CodeRange range = [] {
        CodeRange r;
        dl_iterate_phdr(findCode, &r);
        return r;
    }();
    return range;
}

std::optional<uint32_t> codeOffset(uintptr_t address) {
    const CodeRange& code = programCode();
    if (!code.contains(address))
        return std::nullopt;
    return uint32_t(address - code.start);
}

std::optional<uint32_t> raiseOffset(const std::vector<uintptr_t>& stack, const MapTables& map) {
    std::optional<uint32_t> first;
    for (uintptr_t ra : stack) {
        const auto offset = codeOffset(ra - 1);
        if (!offset)
            continue;
        if (!first)
            first = offset;
        if (!libraryProcedure(map.lookupProcedure(*offset)))
            return offset;
    }
    return first;
}

QString exceptionClassChain(const std::type_info* type) {
    QStringList chain;
    for (int guard = 0; type && guard < 64; ++guard) {
        chain.prepend(demangled(type->name()));
        if (const auto* si = dynamic_cast<const abi::__si_class_type_info*>(type))
            type = si->__base_type;
        else if (const auto* vmi = dynamic_cast<const abi::__vmi_class_type_info*>(type);
                 vmi && vmi->__base_count > 0)
            type = vmi->__base_info[0].__base_type;
        else
            type = nullptr;
    }
    return chain.join(QLatin1String(" > "));
}

QString exceptionClassChain(const std::exception_ptr& error) {
    return error ? exceptionClassChain(error.__cxa_exception_type()) : QString();
}

} // namespace kv::errors
