// The file the PNG and JPEG libraries write through stdio: opened for writing, and flushed and
// closed at the end, failures told in the system's own words and raised as the writer's error type.
#pragma once

#include <QFile>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kv::report {

class StdioFile {
public:
    StdioFile() = default;
    ~StdioFile() { close(); }
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;

    std::FILE* get() const { return file_; }

    // Creates `path` (or empties it); throws Error naming it.
    template <class Error> void open(const QString& path) {
        close();
        path_ = path;
        file_ = std::fopen(QFile::encodeName(path).constData(), "wb");
        if (!file_)
            throw Error(QStringLiteral("Soubor \"%1\" nelze vytvořit: %2").arg(path, systemWords(errno)));
    }
    // Writes out what is buffered and closes; throws Error when any write failed.
    template <class Error> void finish() {
        const bool failed = std::fflush(file_) != 0 || std::ferror(file_);
        const int error = errno;
        close();
        if (failed)
            throw Error(
                QStringLiteral("Do souboru \"%1\" nelze zapisovat: %2").arg(path_, systemWords(error)));
    }
    void close() {
        if (file_)
            std::fclose(file_);
        file_ = nullptr;
    }

private:
    static QString systemWords(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

    std::FILE* file_ = nullptr;
    QString path_;
};

} // namespace kv::report
