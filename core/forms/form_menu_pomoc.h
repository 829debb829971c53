#pragma once
// The "Pomoc" menu shared by the main window, the payroll screen and every base editing
// window: one holder of its handlers, created at start-up and kept for the run.
#include "core/forms/form_about.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QMenu;
class QMenuBar;
class QWidget;

namespace tarix::core {

class TFormAbout;

// The product's web page opened by "Internet - informácie o TARIX". Empty while the product
// has no page of its own: the item is then disabled and no link is shown anywhere.
inline constexpr const char *kTarixWebPage = "";

// The change list shipped in the program folder (tools/mkinst puts it there), shown by
// "TARIX - popis zmien verzie" in the desktop's text viewer.
inline constexpr const char *kChangeListFile = "tarix_zmeny.txt";

// The XML editor "XML editor" starts from the program folder; the item is disabled while
// the folder holds none.
inline constexpr const char *kXmlEditorFile = "pxe";

class TFormMenuPomoc : public QObject {
    Q_OBJECT
public:
    explicit TFormMenuPomoc(QObject *parent = nullptr);
    ~TFormMenuPomoc() override;

    // Appends the top item "Pomoc" to the menu bar; its modal windows get `owner` as
    // their parent. Returns the new menu.
    QMenu *Pridaj_menu_pomoc(QWidget *owner, QMenuBar *menu);

    // The handlers of the items. Those starting something outside return whether the
    // shell took it; when it did not, the clerk is told why.
    bool changesClicked();
    void calculatorClicked(QWidget *owner);
    bool xmlEditorClicked();
    bool odbcManagerClicked();
    void shortcutsClicked(QWidget *owner);
    void VyberTlacovehoSuboruClick();
    bool internetClicked();
    void aboutClicked(QWidget *owner);

    // The XML editor of the program folder, or empty when it holds none.
    QString xmlEditor() const;

    // The about box, once it has been shown (it is kept afterwards).
    TFormAbout *aboutBox() const { return m_about; }

private:
    QPointer<TFormAbout> m_about;
};

// The holder of the run (made on first use).
TFormMenuPomoc &formMenuHelp();

} // namespace tarix::core
