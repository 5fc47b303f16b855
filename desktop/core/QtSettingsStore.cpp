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
    if (settings_->status() == QSettings::NoError) return;
    damaged_ = true;
    loadProblem_ = QString("The settings file %1 could not be read; the defaults are used. It will be kept as %1.bad.")
                       .arg(settings_->fileName());
}

void QtSettingsStore::setAsideDamagedFile() {
    if (!damaged_) return;
    damaged_ = false;
    const QString path = settings_->fileName();
    QFile::remove(path + ".bad");
    QFile::rename(path, path + ".bad");
    // A fresh QSettings on the same path, now without the damaged file.
    settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
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
