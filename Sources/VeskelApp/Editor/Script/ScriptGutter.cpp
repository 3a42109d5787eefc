#include "VeskelApp/Editor/Script/ScriptGutter.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Editor/Script/SceneBandCalculator.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>

namespace veskel {

namespace {

constexpr int itemHeight = 22;

} // namespace

ScriptGutter::ScriptGutter(ProjectEditorViewModel &model, DocumentTextView &text, QWidget *parent)
    : SceneBandStrip(model, text, parent)
{
    setObjectName(QStringLiteral("scriptGutter"));
    setMouseTracking(true);
}

std::optional<QString> ScriptGutter::sceneAt(const QPoint &point) const
{
    const auto band = SceneBandCalculator::bandAt(m_text->bands(), point.y() + m_text->scrollY());
    if (!band || !band->sceneID)
        return std::nullopt;
    return band->sceneID;
}

void ScriptGutter::paintEvent(QPaintEvent *)
{
    if (!m_model)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int scroll = m_text->scrollY();
    const QColor text = palette().color(QPalette::Text);
    QColor faint = text;
    faint.setAlphaF(0.35f);
    QFont label = font();
    label.setPixelSize(11);
    QFont number = font();
    number.setPixelSize(12);
    number.setWeight(QFont::DemiBold);

    for (const SceneBand &band : m_text->bands()) {
        const double top = band.minY - scroll;
        const double bottom = band.maxY - scroll;
        if (bottom < 0 || top > height())
            continue;
        const QRectF rule(width() - 4, top + 2, 2, std::max(2.0, bottom - top - 4));
        if (!band.sceneID) {
            QPen pen(faint, 1.5, Qt::DashLine);
            painter.setPen(pen);
            painter.drawLine(QPointF(rule.center().x(), rule.top()),
                             QPointF(rule.center().x(), rule.bottom()));
            painter.setFont(label);
            painter.setPen(faint);
            painter.drawText(QRectF(0, top, width() - 10, std::max(bottom - top, 40.0)),
                             Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap,
                             tr("Draft — text without a scene"));
            continue;
        }
        const Scene *scene = m_model->project().scene(*band.sceneID);
        if (!scene)
            continue;
        const QColor color = SceneTypeAppearance::color(scene->type);
        QColor ruleColor = color;
        ruleColor.setAlphaF(0.55f);
        painter.fillRect(rule, ruleColor);
        const QRectF item(0, top, width() - 10, itemHeight);
        painter.setFont(number);
        painter.setPen(color);
        const QString title = scene->sceneNumber();
        const double textWidth = QFontMetricsF(number).horizontalAdvance(title);
        painter.drawText(item, Qt::AlignRight | Qt::AlignVCenter, title);
        const QRectF symbol(item.right() - textWidth - 20, item.center().y() - 8, 16, 16);
        IconProvider::paint(painter, symbol, SceneTypeAppearance::symbolName(scene->type), color);
    }
}

void ScriptGutter::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const auto id = sceneAt(event->position().toPoint());
    if (!id)
        return;
    const QRect anchor(mapToGlobal(QPoint(0, event->position().toPoint().y() - itemHeight / 2)),
                       QSize(width(), itemHeight));
    emit sceneClicked(*id, anchor);
}

bool ScriptGutter::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (sceneAt(help->pos()))
            QToolTip::showText(help->globalPos(), tr("Click for scene settings"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void ScriptGutter::contextMenuEvent(QContextMenuEvent *event)
{
    const auto id = sceneAt(event->pos());
    if (!id || !m_model)
        return;
    const Scene *scene = m_model->project().scene(*id);
    if (!scene)
        return;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QMenu *types = menu->addMenu(tr("Scene Type"));
    for (SceneType type : EnumTraits<SceneType>::allCases) {
        QAction *action = types->addAction(IconProvider::icon(SceneTypeAppearance::symbolName(type),
                                                              SceneTypeAppearance::color(type)),
                                           SceneTypeAppearance::localizedName(type));
        action->setCheckable(true);
        action->setChecked(scene->type == type);
        connect(action, &QAction::triggered, this, [model = m_model, id = *id, type] {
            if (model)
                model->updateScene(id, [type](Scene &s) { s.type = type; });
        });
    }
    connect(menu->addAction(tr("Recalculate Timing from Text")), &QAction::triggered, this,
            [model = m_model, id = *id] {
                if (model)
                    model->recalculateDuration(id);
            });
    menu->addSeparator();
    QAction *remove = menu->addAction(IconProvider::icon(QStringLiteral("trash")),
                                      tr("Delete Scene (Keep Text)"));
    connect(remove, &QAction::triggered, this, [model = m_model, id = *id] {
        if (model)
            model->deleteScene(id);
    });
    menu->popup(event->globalPos());
}

} // namespace veskel
