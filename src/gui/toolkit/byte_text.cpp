#include "gui/toolkit/byte_text.h"

#include "core/util/utf8_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextDocument>

namespace tessaray {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

QString FromBytes(std::string_view text) {
    return IsValidUtf8(text) ? FromUtf8(text) : FromUtf8(Windows1252ToUtf8(text));
}

std::string ToBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string ToBytesKeeping(const QString& text, const std::string& original) {
    return text == FromBytes(original) ? original : ToBytes(text);
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

QString PlainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

QString ReadReasonText(const std::string& reason) {
    // The core's reasons, word for word (ReadFailureReason); others (the system's error texts)
    // are shown as they come.
    static constexpr const char* kReasons[] = {
        QT_TRANSLATE_NOOP("tessaray::ReadFailure", "is a folder, not a file"),
        QT_TRANSLATE_NOOP("tessaray::ReadFailure", "is a FIFO (named pipe), not a file"),
        QT_TRANSLATE_NOOP("tessaray::ReadFailure", "is a device, not a file"),
        QT_TRANSLATE_NOOP("tessaray::ReadFailure", "is a socket, not a file"),
    };
    for (const char* known : kReasons) {
        if (reason == known) {
            return QCoreApplication::translate("tessaray::ReadFailure", known);
        }
    }
    const std::string_view larger = "is larger than ";
    const std::string_view mib = " MiB";
    if (reason.starts_with(larger) && reason.ends_with(mib) &&
        reason.size() > larger.size() + mib.size()) {
        return QCoreApplication::translate("tessaray::ReadFailure", "is larger than %1 MiB")
            .arg(FromBytes(
                reason.substr(larger.size(), reason.size() - larger.size() - mib.size())));
    }
    return FromBytes(reason);
}

QString ReadFailureText(const QString& path, const CReadResult& read) {
    QString text =
        QCoreApplication::translate("tessaray::CEditProjectDlg", "The file %1 cannot be read.")
            .arg(path);
    if (read.Code() != EReadError::CannotOpen && read.Code() != EReadError::ReadFailed) {
        text += QStringLiteral(" (") +
                QCoreApplication::translate("tessaray::ReadFailure", "it %1")
                    .arg(ReadReasonText(ReadFailureReason(read))) +
                QLatin1Char(')');
    }
    return text;
}

} // namespace tessaray
