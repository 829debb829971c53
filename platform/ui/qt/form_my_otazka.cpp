#include "platform/ui/qt/form_my_otazka.h"

#include "platform/ui/display_text.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace tarix::ui {

TFormMyOtazka::TFormMyOtazka(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormMyOtazka"));
    setWindowTitle(QStringLiteral("Otázka"));
    setModal(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this);
    Image1->setPixmap(icon.pixmap(32, 32));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    StaticText1 = new QPlainTextEdit(this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setReadOnly(true);
    StaticText1->setFocusPolicy(Qt::NoFocus);
    StaticText1->setFrameShape(QFrame::NoFrame);
    QPalette pal = StaticText1->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    StaticText1->setPalette(pal);

    BitBtn1 = new QPushButton(QStringLiteral("&Ano"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    // Not auto-default: the Enter key must keep answering no even after the focus
    // moved over this button.
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("&Nie"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(true);
    BitBtn2->setDefault(true);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(mrNo); });

    auto *top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addWidget(StaticText1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    setTabOrder(BitBtn2, BitBtn1);
    BitBtn2->setFocus();
    resize(420, 170);
}

void TFormMyOtazka::setQuestion(const QString &text)
{
    StaticText1->setPlainText(lineBreaksForDisplay(text));
}

QString TFormMyOtazka::question() const
{
    return StaticText1->toPlainText();
}

bool TFormMyOtazka::ask()
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    BitBtn2->setFocus();
    return exec() == mrYes;
}

void TFormMyOtazka::reject()
{
    done(mrNo);
}

} // namespace tarix::ui
