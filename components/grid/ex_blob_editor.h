#pragma once
// The grid's modal editor of BLOB, memo and long text fields: a text box for texts, a
// picture with "Load", "Save", "Copy", "Paste" and "clearItems" for BLOBs, and "&OK" and
// "&Cancel". One editor serves the whole run.
//
// A BLOB that holds no picture is shown empty and written back only when the clerk put a
// picture in (loaded, pasted or cleared), so that opening it and pressing OK never replaces
// its bytes.
#include <QByteArray>
#include <QDialog>
#include <QImage>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarix::grid {

class TExBlobEditor : public QDialog {
    Q_OBJECT
public:
    // The editor of the run, made on first use.
    static TExBlobEditor &instance();

    // A text to edit, in the column's font.
    void editText(const QString &caption, const QString &text, const QFont &font, bool canWrite);
    // A picture to edit (the field's bytes).
    void editPicture(const QString &caption, const QByteArray &bytes, bool canWrite);

    bool isPicture() const { return m_picture; }
    QString text() const;
    // What the field takes: the bytes loaded or the picture pasted (PNG); empty when cleared.
    QByteArray pictureBytes() const { return m_bytes; }
    bool pictureChanged() const { return m_pictureChanged; }
    QImage image() const { return m_image; }

    void loadPicture();
    void savePicture();
    void copyPicture();
    void pastePicture();
    void clearPicture();

    QPlainTextEdit *textBox = nullptr;
    QFrame *panel = nullptr;
    QLabel *pictureLabel = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnLoad = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnCopy = nullptr;
    QPushButton *btnPaste = nullptr;
    QPushButton *btnClear = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TExBlobEditor();
    void showImage();
    void layOut();

    bool m_picture = false;
    bool m_pictureChanged = false;
    QByteArray m_bytes;
    QImage m_image;
};

} // namespace tarix::grid
