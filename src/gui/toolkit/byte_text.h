#pragma once
// The core keeps text and file names as byte strings; these convert them at the Qt edge.

#include "core/util/file_util.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace tessaray {

// Core text shown in a widget, and widget text handed to the core.
inline QString FromBytes(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

// A file name as the core opens it, and back.
inline std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
inline QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

// "The file PATH cannot be read.", followed by what the file is when it is no regular file or too
// large (the core's words).
inline QString ReadFailureText(const QString& path, const SReadResult& read) {
    QString text =
        QCoreApplication::translate("tessaray::CEditProjectDlg", "The file %1 cannot be read.")
            .arg(path);
    if (read.eError != EReadError::CannotOpen && read.eError != EReadError::ReadFailed) {
        text += QStringLiteral(" (") + FromBytes("it " + read.Reason()) + QLatin1Char(')');
    }
    return text;
}

} // namespace tessaray
