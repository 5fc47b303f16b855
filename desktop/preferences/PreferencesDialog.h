#pragma once
// The preferences panel. Its controls edit the live settings; each change is
// the panel's save action (the engine applies the enabling rule and stores
// every setting), and OK saves once more and closes.

#include <QDialog>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QFormLayout;
class QWidget;

namespace rw {
class conformController;
}

namespace rw::qt {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(conformController& c, QWidget* parent);

    // The controls, by their settings key (pairs by key: the first button).
    QComboBox* choice(const std::string& key) const { return choices_.at(key); }
    QLineEdit* text(const std::string& key) const { return texts_.at(key); }
    QCheckBox* check(const std::string& key) const { return checks_.at(key); }
    QRadioButton* firstOfPair(const std::string& key) const { return pairs_.at(key).first; }
    QRadioButton* secondOfPair(const std::string& key) const { return pairs_.at(key).second; }
    QLabel* example(int scheme) const { return examples_[scheme]; }

    // Every control from the live settings, the enabling and the examples.
    void showSettings();

signals:
    // A setting changed (the VFX fields of the OLD and NEW events may have too).
    void settingsChanged();

private:
    QWidget* listPage();
    QWidget* vfxPage();
    QWidget* conformPage();
    void addChoice(QFormLayout* form, const QString& label, const std::string& key, const std::vector<std::string>& items);
    void addText(QFormLayout* form, const QString& label, const std::string& key);
    void addCheck(QFormLayout* form, const QString& label, const std::string& key);
    void addPair(QFormLayout* form, const QString& label, const std::string& key, const QString& first, const QString& second);
    void addScheme(QFormLayout* form, const std::string& suffix, int scheme);
    void changed();
    void showEnabling();

    conformController& c_;
    std::map<std::string, QComboBox*> choices_;
    std::map<std::string, QLineEdit*> texts_;
    std::map<std::string, QCheckBox*> checks_;
    std::map<std::string, std::pair<QRadioButton*, QRadioButton*>> pairs_;
    QRadioButton* shotAfter_ = nullptr;
    QRadioButton* shotBefore_ = nullptr;
    QLabel* examples_[2] = {nullptr, nullptr};
    bool showing_ = false;
};

}  // namespace rw::qt
