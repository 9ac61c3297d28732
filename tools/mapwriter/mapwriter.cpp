// kv_mapwriter: writes the detailed map file of a linked program from its ELF symbols and DWARF line
// tables (elfutils), in the linker map format the error report reads:
//   kv_mapwriter PROGRAM MAPFILE [SOURCE-ROOT]
// Segment 1 is the program's code: its first executable loadable segment, and every offset is
// measured from that segment's virtual address (the run-time translation uses the same base). Units
// are the compilation units' source files (their path below SOURCE-ROOT), one line per code range;
// publics are the program's functions, demangled; lines are the unit's own source lines, with code
// inlined from headers counted to the line of the unit that called it.
#include <cxxabi.h>
#include <dwarf.h>
#include <elfutils/libdw.h>
#include <fcntl.h>
#include <gelf.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct CodeSegment {
    uint64_t start = 0, size = 0;
    bool contains(uint64_t a) const { return a >= start && a - start < size; }
};

struct UnitRange {
    uint64_t lo, hi;
    std::string unit;
};

struct Public {
    uint64_t addr;
    std::string name;
};

struct LineRow {
    uint64_t addr;
    int line;
};

struct UnitLines {
    std::string unit, file;
    std::vector<LineRow> rows;
};

// A code range inlined from elsewhere and called from the unit's own file at `line`.
struct CallRange {
    uint64_t lo, hi;
    int line;
    int depth;
};

std::string normal(const std::string& p) {
    return std::filesystem::path(p).lexically_normal().string();
}

// A file name of the line tables as a full path: relative names are relative to the unit's folder.
std::string fullPath(const char* name, const char* compDir) {
    std::string p = name ? name : "";
    if (!p.empty() && p[0] != '/' && compDir)
        p = std::string(compDir) + "/" + p;
    return normal(p);
}

// The unit's name: its source path below the source root. A compiler cache may have compiled the
// unit in another build folder, so a relative name counts from where its "../" steps end.
std::string unitName(const char* dieName, const std::string& file, const std::string& root) {
    std::string name = dieName;
    if (!root.empty() && file.compare(0, root.size(), root) == 0 && file.size() > root.size())
        name = file.substr(root.size());
    else if (name[0] != '/')
        while (name.compare(0, 3, "../") == 0 || name.compare(0, 2, "./") == 0)
            name = name.substr(name[1] == '/' ? 2 : 3);
    else
        name = std::filesystem::path(file).filename().string();
    // The map's headings end a unit name at "(" and its data lines at a blank.
    for (char& c : name)
        if (c == ' ' || c == '(' || c == ')' || c == '\t')
            c = '_';
    return name;
}

std::string demangle(const char* name) {
    int status = 0;
    char* out = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string r = status == 0 && out ? out : name;
    std::free(out);
    return r;
}

bool codeSegment(Elf* elf, CodeSegment& seg) {
    size_t count = 0;
    if (elf_getphdrnum(elf, &count) != 0)
        return false;
    for (size_t i = 0; i < count; ++i) {
        GElf_Phdr ph;
        if (gelf_getphdr(elf, int(i), &ph) && ph.p_type == PT_LOAD && (ph.p_flags & PF_X)) {
            seg = {ph.p_vaddr, ph.p_memsz};
            return true;
        }
    }
    return false;
}

std::vector<Public> publics(Elf* elf, const CodeSegment& seg) {
    std::vector<Public> out;
    Elf_Scn* scn = nullptr;
    while ((scn = elf_nextscn(elf, scn))) {
        GElf_Shdr sh;
        if (!gelf_getshdr(scn, &sh) || sh.sh_type != SHT_SYMTAB || sh.sh_entsize == 0)
            continue;
        Elf_Data* data = elf_getdata(scn, nullptr);
        const size_t n = sh.sh_size / sh.sh_entsize;
        for (size_t i = 0; data && i < n; ++i) {
            GElf_Sym sym;
            if (!gelf_getsym(data, int(i), &sym) || GELF_ST_TYPE(sym.st_info) != STT_FUNC ||
                sym.st_shndx == SHN_UNDEF)
                continue;
            const char* name = elf_strptr(elf, sh.sh_link, sym.st_name);
            if (name && *name && seg.contains(sym.st_value))
                out.push_back({sym.st_value - seg.start, demangle(name)});
        }
    }
    return out;
}

void collectCalls(Dwarf_Die* die, const std::set<size_t>& ownFiles, int depth, std::vector<CallRange>& out) {
    Dwarf_Die child;
    if (dwarf_child(die, &child) != 0)
        return;
    do {
        const int tag = dwarf_tag(&child);
        if (tag == DW_TAG_inlined_subroutine) {
            Dwarf_Attribute a;
            Dwarf_Word file = 0, line = 0;
            if (dwarf_formudata(dwarf_attr(&child, DW_AT_call_file, &a), &file) == 0 &&
                dwarf_formudata(dwarf_attr(&child, DW_AT_call_line, &a), &line) == 0 &&
                ownFiles.count(file)) {
                Dwarf_Addr base, lo, hi;
                ptrdiff_t off = 0;
                while ((off = dwarf_ranges(&child, off, &base, &lo, &hi)) > 0)
                    out.push_back({lo, hi, int(line), depth});
            }
        }
        if (tag == DW_TAG_subprogram || tag == DW_TAG_inlined_subroutine || tag == DW_TAG_lexical_block ||
            tag == DW_TAG_namespace || tag == DW_TAG_class_type || tag == DW_TAG_structure_type)
            collectCalls(&child, ownFiles, depth + 1, out);
    } while (dwarf_siblingof(&child, &child) == 0);
}

// Rows of other files (inlined headers) take the line of the innermost inlined call made from the
// unit's own file; rows outside every such call are left out.
void attributeInlined(std::vector<std::pair<uint64_t, int>>& foreign, std::vector<CallRange> calls,
                      std::vector<LineRow>& rows) {
    std::sort(foreign.begin(), foreign.end());
    std::sort(calls.begin(), calls.end(), [](const CallRange& a, const CallRange& b) { return a.lo < b.lo; });
    std::multimap<int, const CallRange*> active; // by depth
    size_t next = 0;
    for (const auto& [addr, unused] : foreign) {
        (void)unused;
        while (next < calls.size() && calls[next].lo <= addr) {
            active.emplace(calls[next].depth, &calls[next]);
            ++next;
        }
        for (auto it = active.begin(); it != active.end();)
            it = it->second->hi <= addr ? active.erase(it) : std::next(it);
        if (!active.empty())
            rows.push_back({addr, active.rbegin()->second->line});
    }
}

void readDwarf(Dwarf* dw, const CodeSegment& seg, const std::string& root, std::vector<UnitRange>& ranges,
               std::vector<UnitLines>& lines) {
    Dwarf_Off off = 0, next = 0;
    size_t headerSize = 0;
    while (dwarf_nextcu(dw, off, &next, &headerSize, nullptr, nullptr, nullptr) == 0) {
        Dwarf_Die cu;
        const Dwarf_Off dieOff = off + headerSize;
        off = next;
        if (!dwarf_offdie(dw, dieOff, &cu))
            continue;
        const char* name = dwarf_diename(&cu);
        if (!name)
            continue;
        Dwarf_Attribute a;
        const char* compDir = dwarf_formstring(dwarf_attr(&cu, DW_AT_comp_dir, &a));
        const std::string file = fullPath(name, compDir);
        const std::string unit = unitName(name, file, root);

        Dwarf_Addr base, lo, hi;
        ptrdiff_t roff = 0;
        bool any = false;
        while ((roff = dwarf_ranges(&cu, roff, &base, &lo, &hi)) > 0) {
            if (hi > lo && seg.contains(lo)) {
                ranges.push_back({lo - seg.start, std::min(hi, seg.start + seg.size) - seg.start, unit});
                any = true;
            }
        }
        if (!any)
            continue;

        Dwarf_Files* files = nullptr;
        size_t nfiles = 0;
        std::set<size_t> ownFiles;
        if (dwarf_getsrcfiles(&cu, &files, &nfiles) == 0)
            for (size_t i = 0; i < nfiles; ++i)
                if (const char* f = dwarf_filesrc(files, i, nullptr, nullptr);
                    f && fullPath(f, compDir) == file)
                    ownFiles.insert(i);
        std::vector<CallRange> calls;
        collectCalls(&cu, ownFiles, 0, calls);

        UnitLines ul{unit, file, {}};
        std::vector<std::pair<uint64_t, int>> foreign;
        Dwarf_Lines* srcLines = nullptr;
        size_t nlines = 0;
        if (dwarf_getsrclines(&cu, &srcLines, &nlines) == 0) {
            for (size_t i = 0; i < nlines; ++i) {
                Dwarf_Line* l = dwarf_onesrcline(srcLines, i);
                Dwarf_Addr addr;
                int lineNo = 0;
                bool endSeq = false;
                if (!l || dwarf_lineaddr(l, &addr) != 0 || dwarf_lineno(l, &lineNo) != 0 ||
                    dwarf_lineendsequence(l, &endSeq) != 0 || endSeq || !seg.contains(addr))
                    continue;
                const char* src = dwarf_linesrc(l, nullptr, nullptr);
                if (src && fullPath(src, compDir) == file) {
                    if (lineNo > 0)
                        ul.rows.push_back({addr, lineNo});
                } else {
                    foreign.push_back({addr, 0});
                }
            }
        }
        attributeInlined(foreign, std::move(calls), ul.rows);
        std::stable_sort(ul.rows.begin(), ul.rows.end(),
                         [](const LineRow& x, const LineRow& y) { return x.addr < y.addr; });
        std::vector<LineRow> kept;
        for (const LineRow& r : ul.rows) {
            // One record per change of line; of rows at one address the last one counts.
            if (!kept.empty() && kept.back().addr == r.addr)
                kept.pop_back();
            if (kept.empty() || kept.back().line != r.line)
                kept.push_back({r.addr - seg.start, r.line});
        }
        ul.rows = std::move(kept);
        if (!ul.rows.empty())
            lines.push_back(std::move(ul));
    }
}

std::string render(const CodeSegment& seg, std::vector<UnitRange>& ranges, std::vector<Public>& pubs,
                   const std::vector<UnitLines>& lines) {
    std::string out;
    char buf[128];
    out += "\r\n Start         Length     Name                   Class\r\n";
    std::snprintf(buf, sizeof buf, " 0001:00000000 %08" PRIX64 "H .text                   CODE\r\n",
                  seg.size);
    out += buf;
    out += "\r\n\r\nDetailed map of segments\r\n\r\n";
    std::sort(ranges.begin(), ranges.end(),
              [](const UnitRange& a, const UnitRange& b) { return a.lo < b.lo; });
    for (const UnitRange& r : ranges) {
        std::snprintf(buf, sizeof buf,
                      " 0001:%08" PRIX64 " %08" PRIX64 " C=CODE     S=.text    G=(none)   M=", r.lo,
                      r.hi - r.lo);
        out += buf + r.unit + " ALIGN=16\r\n";
    }
    auto publicLine = [&](const Public& p) {
        std::snprintf(buf, sizeof buf, " 0001:%08" PRIX64 "       ", p.addr);
        out += buf + p.name + "\r\n";
    };
    out += "\r\n\r\n  Address         Publics by Name\r\n\r\n";
    std::sort(pubs.begin(), pubs.end(), [](const Public& a, const Public& b) { return a.name < b.name; });
    for (const Public& p : pubs)
        publicLine(p);
    out += "\r\n\r\n  Address         Publics by Value\r\n\r\n";
    std::stable_sort(pubs.begin(), pubs.end(),
                     [](const Public& a, const Public& b) { return a.addr < b.addr; });
    for (const Public& p : pubs)
        publicLine(p);
    for (const UnitLines& ul : lines) {
        out += "\r\n\r\nLine numbers for " + ul.unit + "(" + ul.file + ") segment .text\r\n\r\n";
        for (size_t i = 0; i < ul.rows.size(); ++i) {
            std::snprintf(buf, sizeof buf, "%6d 0001:%08" PRIX64, ul.rows[i].line, ul.rows[i].addr);
            out += buf;
            out += (i % 4 == 3 || i + 1 == ul.rows.size()) ? "\r\n" : " ";
        }
    }
    out += "\r\n\r\nBound resource files\r\n\r\n";
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kv_mapwriter PROGRAM MAPFILE [SOURCE-ROOT]\n");
        return 2;
    }
    std::string root = argc > 3 ? normal(argv[3]) : std::string();
    if (!root.empty() && root.back() != '/')
        root += '/';
    elf_version(EV_CURRENT);
    const int fd = open(argv[1], O_RDONLY);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    Elf* elf = elf_begin(fd, ELF_C_READ_MMAP, nullptr);
    CodeSegment seg;
    if (!elf || !codeSegment(elf, seg)) {
        std::fprintf(stderr, "%s: no executable segment\n", argv[1]);
        return 1;
    }
    std::vector<UnitRange> ranges;
    std::vector<UnitLines> lines;
    if (Dwarf* dw = dwarf_begin_elf(elf, DWARF_C_READ, nullptr)) {
        readDwarf(dw, seg, root, ranges, lines);
        dwarf_end(dw);
    }
    std::vector<Public> pubs = publics(elf, seg);
    const std::string text = render(seg, ranges, pubs, lines);
    elf_end(elf);
    close(fd);
    if (lines.empty())
        std::fprintf(stderr, "%s: warning: no line tables, the map will count as missing\n", argv[1]);

    const std::string tmp = std::string(argv[2]) + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0 ||
        std::rename(tmp.c_str(), argv[2]) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
