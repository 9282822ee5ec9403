#include "glyphs.h"

#include "glyphdrawings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <map>
#include <tuple>

namespace wykazki {

namespace {

// A glyph drawn when a button first shows it, at the size (and the screen's
// scale) it is shown at: no picture files to decode on the way to the first
// frame, and sharp at any scale.
class GlyphEngine final : public QIconEngine {
public:
    explicit GlyphEngine(GlyphDrawing draw) : draw_(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/) override
    {
        if (size.isEmpty())
            return {};
        const auto key = std::make_tuple(size.width(), size.height(), static_cast<int>(mode));
        if (const auto cached = drawn_.find(key); cached != drawn_.end())
            return cached->second;
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size.width() / 32.0, size.height() / 32.0);
            draw_(painter);
        }
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            // Disabled and selected looks as the style makes them from a picture.
            QStyleOption option;
            option.palette = QApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        // A handful of sizes at most: the button's, at one or two scales.
        if (drawn_.size() >= 8)
            drawn_.clear();
        drawn_.emplace(key, picture);
        return picture;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QIconEngine* clone() const override { return new GlyphEngine(draw_); }

    QString key() const override { return QStringLiteral("wykazki-glyph"); }

private:
    GlyphDrawing draw_;
    std::map<std::tuple<int, int, int>, QPixmap> drawn_;
};

}  // namespace

QIcon glyph(const char* name)
{
    const GlyphDrawing draw = glyphDrawing(name);
    return draw == nullptr ? QIcon() : QIcon(new GlyphEngine(draw));
}

void setGlyph(QAbstractButton& button, const char* name, const QString& hint)
{
    button.setIcon(glyph(name));
    button.setIconSize(QSize(32, 32));
    button.setToolTip(hint);
    // A picture alone says nothing to a screen reader.
    button.setAccessibleName(hint);
}

}  // namespace wykazki
