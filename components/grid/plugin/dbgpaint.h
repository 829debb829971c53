#pragma once
// How a title or a section lays out its text and image (TDrawAttr), and the placement of an
// image in a cell by its ImageLayout.
#include "components/grid/plugin/dbgp.h"

#include <QFont>
#include <QSize>
#include <functional>

namespace tarix::grid {

enum class TextAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TextLayout { tlTop, tlCenter, tlBottom };
enum class ImageLayout {
    ilLeft, ilLeftTop, ilTop, ilRightTop, ilRight, ilRightBottom, ilBottom, ilLeftBottom, ilCenter
};

// Places an image of `image` size in `cell` by `layout`: the image is first clipped to the
// cell's size, then placed; `cell` becomes what remains of it for the text. Returns the
// image's rectangle (of the clipped size).
GridRect placeImage(ImageLayout layout, GridRect &cell, QSize image);

// The text and image layout of a title or a section. Its owner learns of every change
// (onChanged; a font change through onFontChanged); with ParentFont the font follows the
// parent's (the grid's title font for a title, the grid's font for a section).
class TDrawAttr {
public:
    explicit TDrawAttr(std::function<QFont()> parentFont = {});

    TextAlignment textAlignment() const { return m_textAlignment; }
    TextLayout textLayout() const { return m_textLayout; }
    bool parentFont() const { return m_parentFont; }
    const QFont &font() const { return m_font; }
    ImageLayout imageLayout() const { return m_imageLayout; }

    void setTextAlignment(TextAlignment value);
    void setTextLayout(TextLayout value);
    // True copies the parent's font.
    void setParentFont(bool value);
    // A font of its own: ParentFont goes off.
    void setFont(const QFont &font);
    void setImageLayout(ImageLayout value);
    void Assign(const TDrawAttr &other);

    std::function<void()> onChanged;
    std::function<void()> onFontChanged;

private:
    void changed();
    std::function<QFont()> m_parent;
    TextAlignment m_textAlignment = TextAlignment::taLeftJustify;
    TextLayout m_textLayout = TextLayout::tlCenter;
    bool m_parentFont = true;
    QFont m_font;
    ImageLayout m_imageLayout = ImageLayout::ilLeft;
};

} // namespace tarix::grid
