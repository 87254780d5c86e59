#include "platform/Text.h"

#include <QStringDecoder>

QString toQt(const std::string& bytes) {
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = dec.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!dec.hasError()) return s;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string fromQt(const QString& text) { return text.toStdString(); }

std::string fromQtLatin1(const QString& text) {
    QByteArray b = text.toLatin1();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}
