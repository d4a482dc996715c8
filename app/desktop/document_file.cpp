#include "document_file.h"

#include "document_text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace marlek {
namespace {

// Bytes handed to the file at once: large enough to be fast, small enough for any report.
constexpr std::size_t kChunkBytes = 64 * 1024;

bool writeAll(QFileDevice &file, std::span<const std::string> lines) {
    std::string chunk;
    chunk.reserve(kChunkBytes + 256);
    for (const std::string &line : lines) {
        appendLineWithCrLf(chunk, line);
        if (chunk.size() >= kChunkBytes) {
            if (file.write(chunk.data(), static_cast<qint64>(chunk.size())) != qint64(chunk.size()))
                return false;
            chunk.clear();
        }
    }
    return chunk.empty() ||
           file.write(chunk.data(), static_cast<qint64>(chunk.size())) == qint64(chunk.size());
}

// The file's own error text, or the system's text for errno where the file has none to give.
QString systemReason(const QFileDevice &file) {
    const int error = errno;
    const QString text = file.errorString();
    if (error != 0 && (text.isEmpty() || text == QLatin1String("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(error));
    return text;
}

} // namespace

bool saveLinesToFile(const QString &path, std::span<const std::string> lines, QString *reason) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // A device or pipe cannot be replaced by renaming a temporary file over it: write to it.
        QFile file(path);
        const bool done = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                          writeAll(file, lines) && file.flush();
        if (!done && reason)
            *reason = systemReason(file);
        file.close();
        return done;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason =
                target.isDir() ? QStringLiteral("It is a folder, not a file.") : file.errorString();
        return false;
    }
    if (!writeAll(file, lines) || !file.flush()) {
        if (reason)
            *reason = systemReason(file);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace marlek
