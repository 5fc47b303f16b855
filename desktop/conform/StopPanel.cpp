#include "conform/StopPanel.h"

#include "protools/Protocol.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace rw::qt {

StopPanel::StopPanel(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setWindowTitle(tr("Conforming"));
    // The status line is white or red, so it sits on a dark strip.
    setStyleSheet("QLabel#status { background: #202020; padding: 4px; }");
    event_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    status_ = new QLabel(this);
    status_->setObjectName("status");
    status_->setMinimumWidth(320);
    auto* stop = new QPushButton(tr("Stop"), this);
    next_ = new QPushButton(tr("next"), this);
    next_->setEnabled(false);
    connect(stop, &QPushButton::clicked, this, [this] {
        if (onButton) onButton(rw::sender::Stop);
    });
    connect(next_, &QPushButton::clicked, this, [this] {
        if (onButton) onButton(rw::sender::Next);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(event_, 1);
    buttons->addWidget(stop);
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(status_);
}

// Work queued for a panel that is gone is dropped with it (the context object).
void StopPanel::runOnMainThread(std::function<void()> work) {
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void StopPanel::showFloating() {
    show();
    raise();
}

void StopPanel::setProgressMaximum(int maximum) { progress_->setMaximum(maximum); }
void StopPanel::setProgressValue(int value) { progress_->setValue(value); }
void StopPanel::advanceProgress() { progress_->setValue(progress_->value() + 1); }

void StopPanel::setEventNumber(std::optional<int> number) {
    event_->setText(number ? tr("event %1").arg(*number) : QString());
}

void StopPanel::setStatus(const std::string& text, StatusColor color) {
    red_ = color == StatusColor::Red;
    status_->setText(QString::fromStdString(text));
    status_->setStyleSheet(red_ ? "color: #ff4040;" : "color: white;");
}

void StopPanel::setNextEnabled(bool enabled) { next_->setEnabled(enabled); }
void StopPanel::close() { hide(); }
QString StopPanel::statusText() const { return status_->text(); }
int StopPanel::progressValue() const { return progress_->value(); }

void StopPanel::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onButton) onButton(rw::sender::Stop);
}

}  // namespace rw::qt
