#pragma once
// The about box "O programe TARIX"; at start-up it is also the splash window.
#include <QDialog>

class QLabel;
class QPixmap;
class QPushButton;

namespace tarix::core {

// The picture of the box: the product's name beside a payslip and coins.
QPixmap aboutPicture();

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget *parent = nullptr);

    // The version text and the program folder are set each time the box is shown.
    void setVersionText(const QString &text);
    void setProgramFolder(const QString &folder);
    // A splash has no OK button and closes itself when start-up is done.
    void setSplash(bool splash);

    QLabel *versionLabel() const { return m_version; }
    QLabel *folderLabel() const { return m_folder; }
    QLabel *pictureLabel() const { return m_picture; }
    QPushButton *okButton() const { return m_ok; }

private:
    QLabel *m_picture;
    QLabel *m_version;
    QLabel *m_folder;
    QPushButton *m_ok;
};

} // namespace tarix::core
