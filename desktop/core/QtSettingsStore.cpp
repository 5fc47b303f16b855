#include "core/QtSettingsStore.h"

#include <QFile>
#include <QFileInfo>

namespace rw::qt {

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "reelwright", "reelwright")) {
    checkLoaded();
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {
    checkLoaded();
}

void QtSettingsStore::checkLoaded() {
    settings_->allKeys();  // the file is read lazily; read it now to learn its status
    if (settings_->status() == QSettings::NoError) return;
    damaged_ = true;
    loadProblem_ = QString("The settings file %1 could not be read; what it could not hold is set to the defaults. It will be kept as %1.bad.")
                       .arg(settings_->fileName());
}

void QtSettingsStore::setAsideDamagedFile() {
    if (!damaged_) return;
    damaged_ = false;
    const QString path = settings_->fileName();
    // What could be read is kept in the fresh file.
    QVariantMap readable;
    for (const QString& key : settings_->allKeys()) readable.insert(key, settings_->value(key));
    settings_.reset();
    QFile::remove(path + ".bad");
    QFile::rename(path, path + ".bad");
    settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
    for (auto it = readable.cbegin(); it != readable.cend(); ++it) settings_->setValue(it.key(), it.value());
}

std::optional<std::string> QtSettingsStore::stringForKey(const std::string& key) const {
    const QVariant v = settings_->value(QString::fromStdString(key));
    if (!v.isValid()) return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::setString(const std::string& key, const std::string& value) {
    setAsideDamagedFile();
    settings_->setValue(QString::fromStdString(key), QString::fromStdString(value));
}

void QtSettingsStore::remove(const std::string& key) {
    setAsideDamagedFile();
    settings_->remove(QString::fromStdString(key));
}

void QtSettingsStore::sync() { settings_->sync(); }

}  // namespace rw::qt
