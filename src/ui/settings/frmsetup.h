// The Setup dialog: the operator's offset of the local clock from GMT (none typed: the
// computer's time zone) and the sharing of the radio over the network, each stored and applied
// at once. Not modal; deletes itself when closed.
#pragma once

#include "core/net/radiosharing.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class frmSetup : public QDialog
{
    Q_OBJECT
public:
    explicit frmSetup(QWidget *parent = nullptr);

    // What the empty offset box shows: no offset typed.
    static constexpr const char *ComputersZone = "computer's time zone";

    // Shows the stored offset exactly as stored; an empty box (reading "computer's time zone")
    // when none is stored.
    void Form_Load();
    // Takes a changed offset and closes: a typed one is stored as typed, an emptied box removes
    // the stored one; either is announced. Without a change nothing is written. Closing by the
    // frame stores nothing.
    void cmdClose_Click();

    QLabel *lblGMT = nullptr;
    QLineEdit *txtGMTOffset = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtMainFreqInc = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *cmdClose = nullptr;
    QCheckBox *chkShare = nullptr;
    QSpinBox *spnSharePort = nullptr;
    QLabel *lblShareAddress = nullptr;
    QLineEdit *txtShareAddress = nullptr;
    QLabel *lblShareNote = nullptr;

    // Asks whether the radio may be shared on an address other computers can reach (the
    // protocol has no password); true for yes. A warning box by default; tests replace it.
    using AddressQuestion = std::function<bool(QWidget *parent, const QString &text)>;
    void setAddressQuestion(AddressQuestion ask) { m_askAddress = std::move(ask); }

    // Takes the sharing controls as they stand: a new choice is stored and announced; an
    // address that is none, or one the operator did not confirm, is put back as it was.
    void shareChanged();

Q_SIGNALS:
    // The operator changed the offset: the text typed, or empty for the computer's time zone.
    void gmtOffsetChanged(const QString &offset);
    // The stored sharing choice changed and is to be applied now.
    void sharingChanged(const SharingSettings &settings);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void layoutControls();
    void connectControls();

    void showSharing(const SharingSettings &settings);
    SharingSettings shownSharing() const;

    bool m_centred = false;
    bool m_sharingBusy = false; // inside shareChanged(), which the question may re-enter
    SharingSettings m_sharing; // as stored
    QString m_shownOffset; // as stored
    AddressQuestion m_askAddress;
};
