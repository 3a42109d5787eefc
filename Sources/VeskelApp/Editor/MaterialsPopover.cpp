#include "VeskelApp/Editor/MaterialsPopover.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QVBoxLayout>

namespace veskel {

namespace {

constexpr int popoverWidth = 320;
constexpr int maximumListHeight = 420;

QWidget *groupHeader(SceneType type)
{
    auto *header = new QWidget;
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(8, 8, 8, 2);
    layout->setSpacing(6);
    auto *icon = new QLabel;
    const QColor color = SceneTypeAppearance::color(type);
    icon->setPixmap(
        IconProvider::icon(SceneTypeAppearance::symbolName(type), color).pixmap(16, 16));
    auto *name = new QLabel(SceneTypeAppearance::localizedName(type));
    QFont font = name->font();
    font.setWeight(QFont::DemiBold);
    name->setFont(font);
    layout->addWidget(icon);
    layout->addWidget(name, 1);
    return header;
}

} // namespace

MaterialRow::MaterialRow(const Scene &scene, QWidget *parent)
    : QAbstractButton(parent)
    , m_sceneID(scene.id)
    , m_number(u'S' + scene.sceneNumber())
    , m_title(scene.title.trimmed().isEmpty() ? MaterialsPopover::tr("Untitled") : scene.title)
    , m_duration(DurationCalculator::formatDuration(scene.durationSeconds))
{
    setToolTip(MaterialsPopover::tr("Jump to scene"));
    setCursor(Qt::PointingHandCursor);
    setText(m_number + u' ' + m_title);
    setAccessibleName(text());
}

QSize MaterialRow::sizeHint() const
{
    return {popoverWidth - 16, fontMetrics().height() + 10};
}

void MaterialRow::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void MaterialRow::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void MaterialRow::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &pal = palette();
    if (m_hovered || isDown()) {
        QColor hover = pal.color(QPalette::Highlight);
        hover.setAlphaF(isDown() ? 0.25f : 0.14f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(hover);
        painter.drawRoundedRect(QRectF(rect()).adjusted(2, 0, -2, 0), 5, 5);
    }
    const QRect area = rect().adjusted(12, 0, -12, 0);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF() * 0.9);
    mono.setWeight(QFont::DemiBold);
    painter.setFont(mono);
    QColor secondary = pal.color(QPalette::WindowText);
    secondary.setAlphaF(0.6f);
    painter.setPen(secondary);
    const int numberWidth = QFontMetrics(mono).horizontalAdvance(QStringLiteral("S000")) + 8;
    painter.drawText(QRect(area.left(), area.top(), numberWidth, area.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, m_number);

    painter.setFont(font());
    const int durationWidth = fontMetrics().horizontalAdvance(m_duration) + 4;
    painter.drawText(QRect(area.right() - durationWidth, area.top(), durationWidth, area.height()),
                     Qt::AlignRight | Qt::AlignVCenter, m_duration);

    painter.setPen(pal.color(QPalette::WindowText));
    const QRect titleRect(area.left() + numberWidth, area.top(),
                          area.width() - numberWidth - durationWidth - 8, area.height());
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(m_title, Qt::ElideRight, titleRect.width()));
}

MaterialsPopover::MaterialsPopover(ProjectEditorViewModel &model, QWidget *parent)
    : Popover(parent)
{
    setObjectName(QStringLiteral("MaterialsPopover"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 8);

    const QList<Scene> scenes = model.project().orderedScenes();
    if (scenes.isEmpty()) {
        auto *empty = new QLabel(tr("No marked scenes yet"));
        empty->setAlignment(Qt::AlignCenter);
        empty->setMinimumSize(popoverWidth - 16, 64);
        empty->setForegroundRole(QPalette::PlaceholderText);
        outer->addWidget(empty);
        return;
    }

    auto *list = new QWidget;
    auto *layout = new QVBoxLayout(list);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (SceneType type : allCases<SceneType>()) {
        bool headed = false;
        for (const Scene &scene : scenes) {
            if (scene.type != type)
                continue;
            if (!headed) {
                layout->addWidget(groupHeader(type));
                headed = true;
            }
            auto *row = new MaterialRow(scene);
            connect(row, &QAbstractButton::clicked, this,
                    [this, model = QPointer(&model), id = scene.id] {
                        if (model)
                            model->selectOnly(id);
                        emit sceneChosen(id);
                        close();
                    });
            layout->addWidget(row);
        }
    }
    layout->addStretch();

    auto *scroll = new QScrollArea;
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedWidth(popoverWidth);
    scroll->setFixedHeight(std::min(list->sizeHint().height() + 4, maximumListHeight));
    outer->addWidget(scroll);
}

} // namespace veskel
