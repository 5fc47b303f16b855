#include "preferences/PreferencesDialog.h"

#include "app/ConformController.h"
#include "settings/Choices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rw::qt {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

PreferencesDialog::PreferencesDialog(conformController& c, QWidget* parent) : QDialog(parent), c_(c) {
    setObjectName("preferences");
    setWindowTitle(tr("Preferences"));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("preferenceTabs");
    tabs->addTab(listPage(), tr("Lists"));
    tabs->addTab(vfxPage(), tr("VFX Names"));
    tabs->addTab(conformPage(), tr("Conform"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        c_.savePrefs();
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    showSettings();
    resize(sizeHint());
}

QWidget* PreferencesDialog::listPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    addChoice(form, tr("List type:"), pref::EDLType, choices::listTypes());
    addChoice(form, tr("Compare ferocity:"), pref::CompareFerocity, choices::ferocities());
    addPair(form, tr("Compare by:"), pref::CompareLabClip, tr("Labroll"), tr("Clip name"));
    addPair(form, tr("Lists are:"), pref::CompareReelsCont, tr("Reels"), tr("Continuous"));
    addCheck(form, tr("Load movies named in lists"), pref::AllowPixAutoLoad);
    return page;
}

// The three naming schemes side by side, each in its own box.
QWidget* PreferencesDialog::vfxPage() {
    auto* page = new QWidget(this);
    auto* row = new QHBoxLayout(page);
    QFormLayout* forms[3];
    for (int i = 0; i < 3; ++i) {
        auto* box = new QGroupBox(tr("Scheme %1").arg(i + 1), page);
        forms[i] = new QFormLayout(box);
        row->addWidget(box, 0, Qt::AlignTop);
    }
    addScheme(forms[0], "", 0);
    addScheme(forms[1], "_2", 1);
    addCheck(forms[2], tr("Split at a separator"), "smartVFX_3");
    addChoice(forms[2], tr("Occurrence:"), "sel1_3", choices::vfxOccurrences());
    addChoice(forms[2], tr("Separator:"), "sep1_3", choices::vfxSeparators());
    shotAfter_ = new QRadioButton(tr("Shot after"), page);
    shotBefore_ = new QRadioButton(tr("Shot before"), page);
    auto* group = new QButtonGroup(page);
    group->addButton(shotAfter_, choices::kShotAfterTag);
    group->addButton(shotBefore_, choices::kShotBeforeTag);
    connect(group, &QButtonGroup::idClicked, this, [this](int tag) {
        if (showing_) return;
        c_.prefs().set("VFXBeforeAfterTag", std::to_string(tag));
        changed();
    });
    forms[2]->addRow(shotAfter_);
    forms[2]->addRow(shotBefore_);
    return page;
}

QWidget* PreferencesDialog::conformPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    addChoice(form, tr("Conform type:"), pref::ConformType, choices::conformTypes());
    addChoice(form, tr("Conform timebase:"), pref::ConformTimebase, choices::conformTimebases());
    addChoice(form, tr("Conform speed:"), pref::ConformSpeed, choices::paces());
    addPair(form, tr("Events:"), pref::ConformEvents, tr("All events"), tr("Edit by edit"));
    addPair(form, tr("Take:"), pref::ConformCopy, tr("Copy"), tr("Cut"));
    return page;
}

void PreferencesDialog::addScheme(QFormLayout* form, const std::string& suffix, int scheme) {
    const QString n = QString::number(scheme + 1);
    addCheck(form, tr("Prefix and three fields"), "smartVFX" + suffix);
    addText(form, tr("Prefix:"), "prefix" + suffix);
    for (int i = 1; i <= 3; ++i) {
        addChoice(form, tr("Field %1:").arg(i), "sel" + std::to_string(i) + suffix, choices::vfxFields());
        addChoice(form, tr("Separator %1:").arg(i), "sep" + std::to_string(i) + suffix, choices::vfxSeparators());
    }
    examples_[scheme] = new QLabel(this);
    examples_[scheme]->setObjectName(QString("example%1").arg(n));
    form->addRow(tr("Example:"), examples_[scheme]);
}

void PreferencesDialog::addChoice(QFormLayout* form, const QString& label, const std::string& key,
                                  const std::vector<std::string>& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(q(key));
    for (const auto& item : items) box->addItem(q(item), q(item));
    connect(box, &QComboBox::activated, this, [this, box, key] {
        if (showing_) return;
        c_.prefs().set(key, box->currentData().toString().toStdString());
        changed();
    });
    choices_[key] = box;
    form->addRow(label, box);
}

void PreferencesDialog::addText(QFormLayout* form, const QString& label, const std::string& key) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(q(key));
    connect(edit, &QLineEdit::textEdited, this, [this, edit, key] {
        if (showing_) return;
        c_.prefs().set(key, edit->text().toStdString());
        changed();
    });
    texts_[key] = edit;
    form->addRow(label, edit);
}

void PreferencesDialog::addCheck(QFormLayout* form, const QString& label, const std::string& key) {
    auto* box = new QCheckBox(label, this);
    box->setObjectName(q(key));
    connect(box, &QCheckBox::toggled, this, [this, key](bool on) {
        if (showing_) return;
        c_.preferencesPanel().setChecked(key, on);
        changed();
    });
    checks_[key] = box;
    form->addRow(box);
}

void PreferencesDialog::addPair(QFormLayout* form, const QString& label, const std::string& key, const QString& first,
                                const QString& second) {
    auto* a = new QRadioButton(first, this);
    auto* b = new QRadioButton(second, this);
    a->setObjectName(q(key) + "_first");
    b->setObjectName(q(key) + "_second");
    auto* group = new QButtonGroup(this);
    group->addButton(a);
    group->addButton(b);
    connect(a, &QRadioButton::toggled, this, [this, key](bool on) {
        if (showing_) return;
        c_.preferencesPanel().setFirstOn(key, on);
        changed();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch();
    pairs_[key] = {a, b};
    form->addRow(label, row);
}

// A control's action: the panel's save (the enabling rule, every setting
// stored), then the VFX controls' own enabling and examples.
void PreferencesDialog::changed() {
    c_.savePrefs();
    showSettings();
    emit settingsChanged();
}

void PreferencesDialog::showSettings() {
    showing_ = true;
    const Preferences& p = c_.prefs();
    for (auto& [key, box] : choices_) {
        const QString value = q(p.get(key));
        int i = box->findData(value);
        if (i < 0) {  // a stored text outside the list is shown as it is
            box->addItem(value, value);
            i = box->count() - 1;
        }
        box->setCurrentIndex(i);
    }
    for (auto& [key, edit] : texts_)
        if (edit->text() != q(p.get(key))) edit->setText(q(p.get(key)));
    for (auto& [key, box] : checks_) box->setChecked(c_.preferencesPanel().isChecked(key));
    for (auto& [key, pair] : pairs_) {
        const bool first = c_.preferencesPanel().isFirstOn(key);
        pair.first->setChecked(first);
        pair.second->setChecked(!first);
    }
    const int tag = c_.preferencesPanel().vfxBeforeAfterTag();
    shotAfter_->setChecked(tag != choices::kShotBeforeTag);
    shotBefore_->setChecked(tag == choices::kShotBeforeTag);
    showEnabling();
    showing_ = false;
}

void PreferencesDialog::showEnabling() {
    const bool pt = c_.preferencesPanel().proToolsOptionsEnabled();
    choices_.at(pref::ConformSpeed)->setEnabled(pt);
    for (const char* key : {pref::ConformEvents, pref::ConformCopy}) {
        pairs_.at(key).first->setEnabled(pt);
        pairs_.at(key).second->setEnabled(pt);
    }
    const VfxControlsEnabled vfx = c_.smartVFXEnable();
    const bool on[] = {vfx.scheme1, vfx.scheme2};
    const std::string suffixes[] = {"", "_2"};
    for (int s = 0; s < 2; ++s) {
        texts_.at("prefix" + suffixes[s])->setEnabled(on[s]);
        for (int i = 1; i <= 3; ++i) {
            choices_.at("sel" + std::to_string(i) + suffixes[s])->setEnabled(on[s]);
            choices_.at("sep" + std::to_string(i) + suffixes[s])->setEnabled(on[s]);
        }
    }
    choices_.at("sel1_3")->setEnabled(vfx.scheme3);
    choices_.at("sep1_3")->setEnabled(vfx.scheme3);
    shotAfter_->setEnabled(vfx.scheme3);
    shotBefore_->setEnabled(vfx.scheme3);
    const auto examples = c_.smartVFXRefresh();
    for (int s = 0; s < 2; ++s) examples_[s]->setText(q(examples[s]));
}

}  // namespace rw::qt
