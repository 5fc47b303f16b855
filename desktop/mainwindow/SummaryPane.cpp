#include "mainwindow/SummaryPane.h"

#include "app/ConformController.h"
#include "views/ColourCounts.h"

#include <QLabel>
#include <QVBoxLayout>

namespace rw::qt {

SummaryPane::SummaryPane(conformController& controller, QWidget* parent) : QWidget(parent), controller_(controller) {
    label_ = new QLabel(this);
    label_->setObjectName("summary");
    label_->setTextFormat(Qt::RichText);
    label_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(label_);
    refresh();
}

QString SummaryPane::text() const { return label_->text(); }

void SummaryPane::refresh() {
    QString html = "<table cellspacing='6'><tr><th align='left'>" + tr("List") + "</th><th align='left'>" + tr("File") +
                   "</th><th>" + tr("Events") + "</th>";
    const auto header = countByColour({});
    for (const auto& c : header) html += "<th>" + tr(c.name.c_str()) + "</th>";
    html += "</tr>";
    const char* names[] = {"OLD", "NEW", "Change list"};
    for (int tab = 0; tab < 3; ++tab) {
        dataSource& list = controller_.listForTab(tab);
        html += QString("<tr><td>%1</td><td>%2</td><td align='right'>%3</td>")
                    .arg(tr(names[tab]), QString::fromStdString(list.filename()).toHtmlEscaped())
                    .arg(list.getEditArray().size());
        for (const auto& c : countByColour(list.getEditArray())) html += QString("<td align='right'>%1</td>").arg(c.count);
        html += "</tr>";
    }
    label_->setText(html + "</table>");
}

}  // namespace rw::qt
