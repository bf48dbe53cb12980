// The filter panel: the IF filter widths of the current mode's group, one "FW" command per
// choice. It offers the lists of the radio's present mode whenever it is shown and, while it
// is open, whenever the radio reports a mode; the reply interpreter writes the reported width
// into the lists through setListText.
#pragma once

#include "core/radio/cattables.h"
#include "core/radio/radiodisplay.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class Radio;

class frmFilter : public QWidget
{
    Q_OBJECT
public:
    explicit frmFilter(Radio &radio, QWidget *parent = nullptr);

    // Selects the entry that matches the text, ignoring case ("NARROW" selects "Narrow"). A
    // text that matches no entry changes nothing. Never sends.
    void setListText(RadioView::FilterList list, const QString &text);

    // Opening: centres the panel, sends "FW;", fills the lists and shows the one for the
    // current mode. Runs once, from the constructor.
    void Form_Load();
    // A mode report has arrived: an open panel changes to the lists of the new mode. A hidden
    // one changes when it is shown.
    void followMode();

    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void cmdClose_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildUi();
    void connectControls();
    void fillLists();
    void showModeGroup(const QString &mode);
    QComboBox *list(RadioView::FilterList which) const;
    void chooseWidth(RadioView::FilterList which);

    // The group whose widths each list offers, in list order.
    static constexpr std::array<Cat::FilterGroup, 3> ListGroups {
        Cat::FilterGroup::Cw, Cat::FilterGroup::SsbAmFm, Cat::FilterGroup::Fsk};

    Radio &m_radio;

    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QComboBox *Combo3 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdClose = nullptr;

    // The group whose list is shown.
    Cat::FilterGroup m_shownGroup = Cat::FilterGroup::None;
};
