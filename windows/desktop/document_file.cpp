#include "document_file.h"

#include "file_output.h"

#include <QFile>
#include <QFileInfo>

namespace marlek {

bool saveLinesToFile(const QString &path, std::span<const std::string> lines, QString *reason) {
    if (QFileInfo(path).isDir()) {
        if (reason)
            *reason = QStringLiteral("It is a folder, not a file.");
        return false;
    }
    try {
        OutputFile file(QFile::encodeName(path).toStdString());
        for (const std::string &line : lines)
            file.writeLine(line);
        file.commit();
        return true;
    } catch (const FileError &error) {
        if (reason)
            *reason = QString::fromLocal8Bit(error.reason());
        return false;
    }
}

} // namespace marlek
