#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace tarrox {

namespace {
QString Key(const std::string& section, const std::string& key) {
    return QString::fromLatin1(section + "/" + key);
}
} // namespace

std::optional<std::string> QtSettingsStore::Read(const std::string& section,
                                                 const std::string& key) {
    QSettings settings(QSettings::UserScope, "TarroxII", "TarroxII");
    QVariant value = settings.value(Key(section, key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toLatin1().toStdString();
}

void QtSettingsStore::Write(const std::string& section, const std::string& key,
                            const std::string& value) {
    QSettings settings(QSettings::UserScope, "TarroxII", "TarroxII");
    settings.setValue(Key(section, key), QString::fromLatin1(value));
}

} // namespace tarrox
