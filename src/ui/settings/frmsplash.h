// The splash window shown before the main window: product, version and platform. Any key or a
// click closes it and emits continued(), on which the program shows the main window. Deletes
// itself when closed.
#pragma once

#include <QWidget>

class QFrame;
class QLabel;

class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    // "Version " followed by major.minor.patch of this build.
    static QString versionText();

    // Closes the window; continued() follows (once).
    void Form_KeyPress();
    void Frame1_Click();

    QFrame *Frame1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *lblCompanyProduct = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblPlatform = nullptr;
    QLabel *Label6 = nullptr;

Q_SIGNALS:
    void continued();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void layoutControls();

    bool m_continued = false;
};
