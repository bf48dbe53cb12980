#include "ui/panels/frmfilter.h"

#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "ui/common/windowplacement.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

int index(RadioView::FilterList which)
{
    return int(which);
}

// The group of the mode digit; None for a mode outside the table (none reported yet, or a
// digit the panel has no widths for).
Cat::FilterGroup groupOf(const QString &mode)
{
    return mode.size() == 1 ? Cat::filterGroup(mode[0]) : Cat::FilterGroup::None;
}

} // namespace

frmFilter::frmFilter(Radio &radio, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_radio(radio)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmFilter"));
    setWindowTitle(QStringLiteral("Filter Settings"));
    buildUi();
    connectControls();
    Form_Load();
}

void frmFilter::buildUi()
{
    Label1 = new QLabel(QStringLiteral("CW"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAccessibleDescription(QStringLiteral("Mode group"));
    Label1->setMinimumWidth(
        Label1->fontMetrics().horizontalAdvance(QStringLiteral("Mode unknown")));

    auto *lists = new QVBoxLayout;
    const char *names[] = {"Combo1", "Combo2", "Combo3"};
    const char *accessible[] = {"CW filter width", "SSB/AM/FM filter width", "FSK filter width"};
    QComboBox **combos[] = {&Combo1, &Combo2, &Combo3};
    for (int i = 0; i < 3; ++i) {
        auto *combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(names[i]));
        combo->setAccessibleName(QString::fromLatin1(accessible[i]));
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->setMinimumContentsLength(8);
        lists->addWidget(combo);
        *combos[i] = combo;
    }
    // The three lists share one place; only the current mode's list is shown.
    Combo2->hide();
    Combo3->hide();
    Label1->setBuddy(Combo1);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAccessibleName(cmdClose->text());
    cmdClose->setFocusPolicy(Qt::StrongFocus);

    auto *main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addLayout(lists);
    main->addWidget(cmdClose, 0, Qt::AlignHCenter);
    WindowPlacement::fitTitle(*this);

    setTabOrder(Combo1, Combo2);
    setTabOrder(Combo2, Combo3);
    setTabOrder(Combo3, cmdClose);
}

void frmFilter::connectControls()
{
    // activated comes from the operator only (mouse or keyboard), never from code.
    connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this](int) { Combo2_Click(); });
    connect(Combo3, &QComboBox::activated, this, [this](int) { Combo3_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &frmFilter::cmdClose_Click);
}

void frmFilter::Form_Load()
{
    adjustSize();
    WindowPlacement::centreOnScreen(*this);
    m_radio.send(Cat::query("FW"));
    fillLists();
    showModeGroup(m_radio.state().Mode);
}

void frmFilter::fillLists()
{
    for (int i = 0; i < int(ListGroups.size()); ++i) {
        QComboBox *combo = list(RadioView::FilterList(i));
        const QSignalBlocker block(combo);
        combo->clear();
        for (const Cat::FilterWidth &w : Cat::filterWidths(ListGroups[i]))
            combo->addItem(QString::fromLatin1(w.text));
        // The panel does not know the width in use until the radio reports it.
        combo->setCurrentIndex(-1);
    }
}

// Shows the list of the mode's group and names the group. A mode outside the table hides
// every list so that no width of a wrong group can be sent. A list shown for a group other
// than the one before claims no width until the radio reports one.
void frmFilter::showModeGroup(const QString &mode)
{
    const Cat::FilterGroup group = groupOf(mode);
    const bool groupChanged = group != m_shownGroup;
    m_shownGroup = group;
    QComboBox *shown = nullptr;
    for (int i = 0; i < int(ListGroups.size()); ++i) {
        QComboBox *combo = list(RadioView::FilterList(i));
        combo->setVisible(ListGroups[i] == group);
        if (ListGroups[i] == group)
            shown = combo;
    }
    if (!shown) {
        Label1->setText(QStringLiteral("Mode unknown"));
        Label1->setBuddy(cmdClose);
        return;
    }
    if (groupChanged)
        shown->setCurrentIndex(-1);
    Label1->setText(group == Cat::FilterGroup::SsbAmFm ? QStringLiteral("SSB/AM/FM")
                                                       : Cat::modeName(mode[0]));
    Label1->setBuddy(shown);
    shown->setAccessibleName(Label1->text() + QStringLiteral(" filter width"));
}

void frmFilter::followMode()
{
    if (isVisible())
        showModeGroup(m_radio.state().Mode);
}

void frmFilter::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    showModeGroup(m_radio.state().Mode);
}

QComboBox *frmFilter::list(RadioView::FilterList which) const
{
    switch (which) {
    case RadioView::FilterList::Combo1:
        return Combo1;
    case RadioView::FilterList::Combo2:
        return Combo2;
    case RadioView::FilterList::Combo3:
        return Combo3;
    }
    return nullptr;
}

void frmFilter::setListText(RadioView::FilterList which, const QString &text)
{
    QComboBox *combo = list(which);
    if (!combo)
        return;
    const int i = combo->findText(text, Qt::MatchFixedString); // ignores case
    if (i >= 0)
        combo->setCurrentIndex(i);
}

// Sends the width of the list's current entry; a text that is none of the list's entries
// sends nothing. A list that does not belong to the radio's present mode sends nothing either:
// the panel changes to the present mode's lists instead.
void frmFilter::chooseWidth(RadioView::FilterList which)
{
    const QString mode = m_radio.state().Mode;
    if (groupOf(mode) != ListGroups[index(which)]) {
        showModeGroup(mode);
        return;
    }
    QComboBox *combo = list(which);
    const QString text = combo->currentText();
    for (const Cat::FilterWidth &w : Cat::filterWidths(ListGroups[index(which)])) {
        if (text == QLatin1String(w.text)) {
            m_radio.send(Cat::setFilterWidth(w.code));
            return;
        }
    }
}

void frmFilter::Combo1_Click()
{
    chooseWidth(RadioView::FilterList::Combo1);
}

void frmFilter::Combo2_Click()
{
    chooseWidth(RadioView::FilterList::Combo2);
}

void frmFilter::Combo3_Click()
{
    chooseWidth(RadioView::FilterList::Combo3);
}

void frmFilter::cmdClose_Click()
{
    WindowPlacement::restoreDefaultCursor();
    const QPointer<QWidget> mainWindow = parentWidget() ? parentWidget()->window() : nullptr;
    close();
    if (mainWindow)
        mainWindow->update();
}
