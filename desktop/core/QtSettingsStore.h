#pragma once
// The settings store over one QSettings file. A damaged file is read as far
// as it goes; on the first write it is moved aside (kept as "<file>.bad") and
// what could be read goes into the fresh file.

#include "ports/SettingsPort.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace rw::qt {

class QtSettingsStore : public SettingsPort {
public:
    // The user's own settings (QSettings' native place for "reelwright").
    QtSettingsStore();
    // An explicit INI file (tests, portable set-ups).
    explicit QtSettingsStore(const QString& iniPath);

    std::optional<std::string> stringForKey(const std::string& key) const override;
    void setString(const std::string& key, const std::string& value) override;
    void remove(const std::string& key) override;

    // Empty when the file read well; else what the user is told.
    const QString& loadProblem() const { return loadProblem_; }
    void sync();

private:
    void checkLoaded();
    void setAsideDamagedFile();

    std::unique_ptr<QSettings> settings_;
    QString loadProblem_;
    bool damaged_ = false;
};

}  // namespace rw::qt
