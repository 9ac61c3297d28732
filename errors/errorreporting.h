// Error reporting for the whole run: constructed once before the start-up sequence, it reads the
// map file, installs the application-wide exception hook, takes the start time, reads the program's
// four version texts (so a log created by an error during start-up has its header) and prepares the
// crash entry of a fatal signal. Destroyed at the end, it frees the map tables and takes the hook
// and the signal handlers back.
#pragma once

namespace kv::errors {

class ErrorReportingScope {
public:
    ErrorReportingScope();
    ~ErrorReportingScope();
    ErrorReportingScope(const ErrorReportingScope&) = delete;
    ErrorReportingScope& operator=(const ErrorReportingScope&) = delete;
};

} // namespace kv::errors
