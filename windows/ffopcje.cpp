#include "ffopcje.h"

#include "dialogs.h"

#include "help/helpcontext.h"

#include "grid/celledi.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace wykazki {

namespace {

constexpr int kMinimumSize = 10;
constexpr int kMaximumSize = 300;
constexpr int kMinimumPoints = 6;
constexpr int kMaximumPoints = 20;

QFont withinSizes(QFont font)
{
    if (font.pointSize() > 0)
        font.setPointSize(std::clamp(font.pointSize(), kMinimumPoints, kMaximumPoints));
    return font;
}

// Qt's font dialog with an Apply button added beside OK and Cancel.
void runFontDialog(QWidget* parent, const QFont& initial,
                   const std::function<void(const QFont&)>& apply)
{
    QFontDialog dialog(initial, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* applyButton = box->addButton(QDialogButtonBox::Apply);
        QObject::connect(applyButton, &QPushButton::clicked, &dialog,
                         [&dialog, &apply] { apply(dialog.currentFont()); });
    }
    if (dialog.exec() == QDialog::Accepted)
        apply(dialog.selectedFont());
}

QSpinBox* sizeSpin(QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(kMinimumSize, kMaximumSize);
    return spin;
}

}  // namespace

Tffopcje::Tffopcje(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), fontChooser_(runFontDialog)
{
    setObjectName(QStringLiteral("ffopcje"));
    helpcontext::set(*this, helpcontext::kGridOptions);
    setWindowTitle(QStringLiteral("Kolmo'05"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint
                   | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildControls();
}

Tffopcje::~Tffopcje() = default;

void Tffopcje::buildControls()
{
    auto* top = new QVBoxLayout(this);
    auto* panel = new QGroupBox(QStringLiteral("Rozmiary, ... "), this);
    auto* form = new QFormLayout(panel);
    headerWidth_ = sizeSpin(panel);
    headerHeight_ = sizeSpin(panel);
    cellWidth_ = sizeSpin(panel);
    cellHeight_ = sizeSpin(panel);
    form->addRow(QStringLiteral("Szerokość &marginesu"), headerWidth_);
    form->addRow(QStringLiteral("Wysokość ma&rginesu"), headerHeight_);
    form->addRow(QStringLiteral("&Szerokość oczek"), cellWidth_);
    form->addRow(QStringLiteral("&Wysokość oczek"), cellHeight_);
    top->addWidget(panel);

    auto* alignmentBox = new QGroupBox(QStringLiteral("Wyrównanie"), this);
    auto* alignmentLayout = new QHBoxLayout(alignmentBox);
    alignment_ = new QButtonGroup(this);
    const char* const captions[] = {"Do &lewej", "&Centralnie", "Do &prawej"};
    for (int just = 0; just < 3; ++just) {
        auto* radio = new QRadioButton(QString::fromUtf8(captions[just]), alignmentBox);
        alignment_->addButton(radio, just);
        alignmentLayout->addWidget(radio);
    }
    top->addWidget(alignmentBox);

    auto* buttons = new QDialogButtonBox(this);
    fontButton_ = buttons->addButton(QStringLiteral("Czcionka..."), QDialogButtonBox::ActionRole);
    fontButton_->setToolTip(QStringLiteral("Czcionka w tabelach"));
    fontButton_->setAutoDefault(false);
    close_ = buttons->addButton(QDialogButtonBox::Close);
    close_->setDefault(true);
    top->addWidget(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(fontButton_, &QPushButton::clicked, this, &Tffopcje::chooseFont);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(headerWidth_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!loading_ && grid_)
            grid_->setSzerInfo(value);
    });
    connect(headerHeight_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!loading_ && grid_)
            grid_->setWysInfo(value);
    });
    connect(cellWidth_, &QSpinBox::valueChanged, this, &Tffopcje::cellWidthChanged);
    connect(cellHeight_, &QSpinBox::valueChanged, this, &Tffopcje::cellHeightChanged);
    connect(alignment_, &QButtonGroup::idClicked, this, [this](int id) {
        if (!loading_ && grid_)
            grid_->setDefaultJust(static_cast<TJustTyp>(id));
    });
}

void Tffopcje::setLoading(bool loading)
{
    loading_ = loading;
}

void Tffopcje::prepare(TCellEdi& grid, Mode mode)
{
    grid_ = &grid;
    mode_ = mode;
    setLoading(true);
    headerWidth_->setValue(grid.SzerInfo());
    headerHeight_->setValue(grid.WysInfo());
    widths_.clear();
    heights_.clear();
    if (mode == Mode::UniformSizes) {
        cellWidth_->setValue(grid.DefaultSzerIo());
        cellHeight_->setValue(grid.DefaultWysIo());
    } else {
        for (int i = 0; i < grid.Ilx(); ++i)
            widths_.push_back(grid.SzerIo(i));
        for (int i = 0; i < grid.Ily(); ++i)
            heights_.push_back(grid.WysIo(i));
        cellWidth_->setValue(100);
        cellHeight_->setValue(100);
    }
    const int just = static_cast<int>(grid.DefaultJust());
    if (QAbstractButton* button = alignment_->button(just))
        button->setChecked(true);
    setLoading(false);
}

void Tffopcje::finish()
{
    widths_.clear();
    heights_.clear();
    grid_ = nullptr;
}

void Tffopcje::Pokaz(TCellEdi& grid, Mode mode)
{
    prepare(grid, mode);
    dialogs_.runModal(*this);
    finish();
}

namespace {

int scaled(int percent, int remembered)
{
    return static_cast<int>(std::trunc(((percent - 100) * 0.01 + 1) * remembered));
}

}  // namespace

void Tffopcje::cellWidthChanged(int value)
{
    if (loading_ || !grid_)
        return;
    if (mode_ == Mode::UniformSizes) {
        grid_->setDefaultSzerIo(value);
        return;
    }
    for (std::size_t i = 0; i < widths_.size(); ++i)
        grid_->setSzerIo(static_cast<int>(i), scaled(value, widths_[i]));
}

void Tffopcje::cellHeightChanged(int value)
{
    if (loading_ || !grid_)
        return;
    if (mode_ == Mode::UniformSizes) {
        grid_->setDefaultWysIo(value);
        return;
    }
    for (std::size_t i = 0; i < heights_.size(); ++i)
        grid_->setWysIo(static_cast<int>(i), scaled(value, heights_[i]));
}

void Tffopcje::chooseFont()
{
    if (!grid_)
        return;
    fontChooser_(this, grid_->font(), [this](const QFont& font) {
        if (grid_)
            grid_->setFont(withinSizes(font));
    });
}

}  // namespace wykazki
