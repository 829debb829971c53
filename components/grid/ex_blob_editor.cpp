#include "components/grid/ex_blob_editor.h"

#include "platform/dbctrl/field_link.h"
#include "platform/errors.h"
#include "platform/shell/atomic_file.h"
#include "platform/ui/user_interface.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace tarix::grid {

namespace {

const QString kPictureFilter = QStringLiteral(
    "Pictures (*.bmp;*.png;*.jpg;*.jpeg;*.gif)|*.bmp;*.png;*.jpg;*.jpeg;*.gif|All files (*.*)|*.*");

} // namespace

TExBlobEditor &TExBlobEditor::instance()
{
    static QPointer<TExBlobEditor> editor;
    if (!editor)
        editor = new TExBlobEditor;
    return *editor;
}

TExBlobEditor::TExBlobEditor()
{
    setObjectName(QStringLiteral("TExBlobEditor"));
    setModal(true);
    resize(420, 320);
    textBox = new QPlainTextEdit(this);
    textBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pictureLabel = new QLabel(panel);
    pictureLabel->setAlignment(Qt::AlignCenter);
    auto button = [this](const QString &caption, QWidget *parent) {
        auto *b = new QPushButton(caption, parent);
        b->setAutoDefault(false);
        return b;
    };
    btnLoad = button(QStringLiteral("Load"), panel);
    btnSave = button(QStringLiteral("Save"), panel);
    btnCopy = button(QStringLiteral("Copy"), panel);
    btnPaste = button(QStringLiteral("Paste"), panel);
    btnClear = button(QStringLiteral("Clear"), panel);
    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setDefault(true);
    btnCancel = button(QStringLiteral("&Cancel"), this);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnLoad, &QPushButton::clicked, this, [this] { dbctrl::runReported([this] { loadPicture(); }); });
    connect(btnSave, &QPushButton::clicked, this, [this] { dbctrl::runReported([this] { savePicture(); }); });
    connect(btnCopy, &QPushButton::clicked, this, &TExBlobEditor::copyPicture);
    connect(btnPaste, &QPushButton::clicked, this, &TExBlobEditor::pastePicture);
    connect(btnClear, &QPushButton::clicked, this, &TExBlobEditor::clearPicture);
    layOut();
}

void TExBlobEditor::editText(const QString &caption, const QString &text, const QFont &font, bool canWrite)
{
    m_picture = false;
    m_pictureChanged = false;
    m_bytes.clear();
    m_image = QImage();
    setWindowTitle(caption);
    textBox->setFont(font);
    textBox->setPlainText(text);
    textBox->setVisible(true);
    panel->setVisible(false);
    btnOk->setEnabled(canWrite);
    if (QScreen *s = QApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TExBlobEditor::editPicture(const QString &caption, const QByteArray &bytes, bool canWrite)
{
    m_picture = true;
    m_pictureChanged = false;
    m_bytes = bytes;
    m_image = QImage::fromData(bytes);
    setWindowTitle(caption);
    textBox->setVisible(false);
    panel->setVisible(true);
    btnOk->setEnabled(canWrite);
    showImage();
    if (QScreen *s = QApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

QString TExBlobEditor::text() const { return textBox->toPlainText(); }

void TExBlobEditor::showImage()
{
    if (m_image.isNull()) {
        pictureLabel->clear();
        return;
    }
    const QSize room = pictureLabel->size().isEmpty() ? QSize(1, 1) : pictureLabel->size();
    QPixmap pm = QPixmap::fromImage(m_image);
    if (pm.width() > room.width() || pm.height() > room.height())
        pm = pm.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pictureLabel->setPixmap(pm);
}

void TExBlobEditor::loadPicture()
{
    ui::FileDialogRequest request;
    request.caption = QStringLiteral("Load picture");
    request.filter = kPictureFilter;
    const QString path = ui::current().chooseOpenFile(request);
    if (path.isEmpty())
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EMyError(QStringLiteral("Cannot open file %1").arg(path));
    const QByteArray bytes = f.readAll();
    const QImage image = QImage::fromData(bytes);
    if (image.isNull())
        throw EMyError(QStringLiteral("%1 is not a picture.").arg(path));
    m_bytes = bytes;
    m_image = image;
    m_pictureChanged = true;
    showImage();
}

void TExBlobEditor::savePicture()
{
    if (m_image.isNull())
        return;
    ui::FileDialogRequest request;
    request.caption = QStringLiteral("Save picture");
    request.filter = kPictureFilter;
    request.defaultExtension = QStringLiteral("png");
    const QString path = ui::current().chooseSaveFile(request);
    if (path.isEmpty())
        return;
    // The picture's own bytes when they are a picture file; otherwise PNG.
    QByteArray bytes = m_bytes;
    if (bytes.isEmpty() || QImage::fromData(bytes).isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        m_image.save(&buffer, "PNG");
    }
    shell::writeFileAtomically(path, bytes);
}

void TExBlobEditor::copyPicture()
{
    if (!m_image.isNull())
        QApplication::clipboard()->setImage(m_image);
}

void TExBlobEditor::pastePicture()
{
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    if (!mime || !mime->hasImage())
        return;
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull())
        return;
    m_image = image;
    m_bytes.clear();
    QBuffer buffer(&m_bytes);
    buffer.open(QIODevice::WriteOnly);
    m_image.save(&buffer, "PNG");
    m_pictureChanged = true;
    showImage();
}

void TExBlobEditor::clearPicture()
{
    m_image = QImage();
    m_bytes.clear();
    m_pictureChanged = true;
    showImage();
}

void TExBlobEditor::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void TExBlobEditor::layOut()
{
    const QSize b = btnOk->sizeHint().expandedTo(QSize(75, 25));
    const int y = height() - b.height() - 5;
    btnOk->setGeometry(width() - 2 * b.width() - 10, y, b.width(), b.height());
    btnCancel->setGeometry(width() - b.width() - 5, y, b.width(), b.height());
    const QRect area(5, 5, width() - 10, y - 15);
    textBox->setGeometry(area);
    panel->setGeometry(area);
    const int bx = panel->width() - (b.width() + 5);
    int by = 5;
    for (QPushButton *pb : {btnLoad, btnSave, btnCopy, btnPaste, btnClear}) {
        pb->setGeometry(bx, by, b.width(), b.height());
        by += b.height() + 5;
    }
    pictureLabel->setGeometry(5, 5, std::max(1, bx - 10), std::max(1, panel->height() - 10));
    if (m_picture)
        showImage();
}

} // namespace tarix::grid
