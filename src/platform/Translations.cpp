#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>
#include <memory>

namespace {

// This layer's own texts, in the context "Platform".
class PlatformTexts : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (std::strcmp(context, "Platform") != 0) return {};
        if (std::strcmp(source, "Open as read-only") == 0) return QStringLiteral("Apri in sola lettura");
        return {};
    }
    bool isEmpty() const override { return false; }
};

std::unique_ptr<QTranslator> qtTexts, ownTexts;

void drop(std::unique_ptr<QTranslator>& t) {
    if (t) QCoreApplication::removeTranslator(t.get());
    t.reset();
}

// The translators are objects of the application and go before it does.
void dropAll() {
    drop(qtTexts);
    drop(ownTexts);
}

}  // namespace

bool UseQtLanguage(const std::string& lang) {
    dropAll();
    if (lang == "en" || !QCoreApplication::instance()) return lang == "en";
    static const bool dropAtEnd = (qAddPostRoutine(dropAll), true);
    (void)dropAtEnd;
    auto qt = std::make_unique<QTranslator>();
    if (!qt->load(QStringLiteral("qtbase_") + QString::fromStdString(lang),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(qt.get());
    qtTexts = std::move(qt);
    if (lang == "it") {
        ownTexts = std::make_unique<PlatformTexts>();
        QCoreApplication::installTranslator(ownTexts.get());
    }
    return true;
}
