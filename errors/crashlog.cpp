// The fatal signal handler and the fixed buffers it writes from.
#include "crashlog.h"

#include "mapfile.h"
#include "throwsite.h"

#include "base/czechformat.h"

#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

namespace kv::errors {
namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

struct Prepared {
    char path[4096];
    char header[1024];
    size_t headerLength;
    char versions[1024];
    size_t versionsLength;
    char start[64];
    size_t startLength;
    long utcOffset; // seconds east of UTC at installation
    const MapTables* map;
    bool installed;
};
Prepared gPrepared;
char gAltStack[64 * 1024];
volatile sig_atomic_t gInHandler;

void copyInto(char* to, size_t capacity, const QByteArray& from, size_t* length = nullptr) {
    const size_t n = std::min(capacity - 1, size_t(from.size()));
    std::memcpy(to, from.constData(), n);
    to[n] = '\0';
    if (length)
        *length = n;
}

// A line buffer filled without allocating.
class Out {
public:
    void text(const char* s, size_t n) {
        for (size_t i = 0; i < n && used_ < sizeof buf_; ++i)
            buf_[used_++] = s[i];
    }
    void text(const char* s) { text(s, std::strlen(s)); }
    void number(unsigned long v, int width = 0) {
        char digits[24];
        int n = 0;
        do {
            digits[n++] = char('0' + v % 10);
            v /= 10;
        } while (v && n < 24);
        while (n < width && n < 24)
            digits[n++] = '0';
        while (n)
            text(&digits[--n], 1);
    }
    void newline() { text("\r\n", 2); }
    void separator(char c) {
        for (int i = 0; i < 71; ++i)
            text(&c, 1);
        newline();
    }
    const char* data() const { return buf_; }
    size_t size() const { return used_; }

private:
    char buf_[4096];
    size_t used_ = 0;
};

void dateTime(Out& out, time_t t) {
    // Days to civil date (proleptic Gregorian), as the C library's local time is not signal-safe.
    long days = long(t / 86400), secs = long(t % 86400);
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long doe = days - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long day = doy - (153 * mp + 2) / 5 + 1;
    const long month = mp < 10 ? mp + 3 : mp - 9;
    const long year = yoe + era * 400 + (month <= 2);
    out.number(unsigned(day));
    out.text(".");
    out.number(unsigned(month));
    out.text(".");
    out.number(unsigned(year));
    out.text(" ");
    out.number(unsigned(secs / 3600));
    out.text(":");
    out.number(unsigned(secs / 60 % 60), 2);
    out.text(":");
    out.number(unsigned(secs % 60), 2);
}

const char* signalName(int sig) {
    switch (sig) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGILL:
        return "SIGILL";
    case SIGFPE:
        return "SIGFPE";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "?";
    }
}

// The faulting instruction when it lies in our code, else the first return address that does.
bool crashOffset(void* context, uint32_t& offset) {
#if defined(__x86_64__)
    const auto* uc = static_cast<const ucontext_t*>(context);
    if (const auto o = codeOffset(uintptr_t(uc->uc_mcontext.gregs[REG_RIP]))) {
        offset = *o;
        return true;
    }
#else
    (void)context;
#endif
    void* frames[64];
    const int n = backtrace(frames, 64);
    for (int i = 1; i < n; ++i)
        if (const auto o = codeOffset(uintptr_t(frames[i]) - 1)) {
            offset = *o;
            return true;
        }
    return false;
}

void handler(int sig, siginfo_t*, void* context) {
    if (!gInHandler) {
        gInHandler = 1;
        const Prepared& p = gPrepared;
        Out out;
        out.separator('=');
        out.text(p.versions, p.versionsLength);
        out.separator('-');
        out.text("Start programu : ");
        out.text(p.start, p.startLength);
        out.newline();
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        out.text("Datum a cas    : ");
        dateTime(out, now.tv_sec + p.utcOffset);
        out.newline();
        out.text("Popis          : P\xE1"
                 "d programu, sign\xE1l ");
        out.number(unsigned(sig));
        out.text(" (");
        out.text(signalName(sig));
        out.text(")");
        out.newline();
        uint32_t offset = 0;
        const bool known = crashOffset(context, offset);
        const std::string_view unit = known && p.map ? p.map->unitView(offset) : std::string_view();
        const std::string_view proc = known && p.map ? p.map->procedureView(offset) : std::string_view();
        const std::string_view line = known && p.map ? p.map->lineView(offset) : std::string_view();
        out.text("Jednotka       : ");
        out.text(unit.data(), unit.size());
        out.newline();
        out.text("Procedura      : ");
        out.text(proc.data(), proc.size());
        out.newline();
        out.text("Radek          : ");
        out.text(line.data(), line.size());
        out.newline();
        out.separator('=');
        out.newline();

        int fd = open(p.path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            if (write(fd, p.header, p.headerLength) < 0) {
                // Nothing more can be done about a log that cannot be written.
            }
        } else {
            fd = open(p.path, O_WRONLY | O_APPEND | O_CLOEXEC);
        }
        if (fd >= 0) {
            if (write(fd, out.data(), out.size()) < 0) {
            }
            close(fd);
        }
    }
    // End with the signal's own outcome (core dump, exit status).
    signal(sig, SIG_DFL);
    raise(sig);
}

} // namespace

void installCrashLog(const CrashLogSetup& setup) {
    Prepared& p = gPrepared;
    copyInto(p.path, sizeof p.path, setup.logPath.toLocal8Bit());
    copyInto(p.header, sizeof p.header, setup.header, &p.headerLength);
    copyInto(p.versions, sizeof p.versions, setup.versions, &p.versionsLength);
    copyInto(
        p.start, sizeof p.start,
        QByteArray(shortDate(setup.start.date()).toLatin1() + ' ' + longTime(setup.start.time()).toLatin1()),
        &p.startLength);
    p.utcOffset = QDateTime::currentDateTime().offsetFromUtc();
    p.map = setup.map;
    // The first backtrace loads the unwinder; done here, so the handler does not allocate.
    void* warm[2];
    backtrace(warm, 2);
    (void)programCode();

    stack_t alt{};
    alt.ss_sp = gAltStack;
    alt.ss_size = sizeof gAltStack;
    sigaltstack(&alt, nullptr);
    struct sigaction sa {};
    sa.sa_sigaction = handler;
    sa.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&sa.sa_mask);
    for (int sig : kSignals)
        sigaction(sig, &sa, nullptr);
    p.installed = true;
}

void uninstallCrashLog() {
    if (!gPrepared.installed)
        return;
    for (int sig : kSignals)
        signal(sig, SIG_DFL);
    gPrepared.installed = false;
    gPrepared.map = nullptr;
}

} // namespace kv::errors
