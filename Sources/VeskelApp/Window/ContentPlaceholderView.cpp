#include "VeskelApp/Window/ContentPlaceholderView.h"

#include "VeskelApp/AppModel.h"
#include "VeskelApp/Icons/IconProvider.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

ContentPlaceholderView::ContentPlaceholderView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
{
    setObjectName(QStringLiteral("ContentPlaceholderView"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addStretch(3);

    auto *symbol = new QLabel;
    QColor tint = palette().color(QPalette::WindowText);
    tint.setAlphaF(0.35f);
    symbol->setPixmap(IconProvider::icon(QStringLiteral("film.stack"), tint)
                          .pixmap(QSize(64, 64), devicePixelRatioF()));
    symbol->setAlignment(Qt::AlignCenter);
    layout->addWidget(symbol);

    auto *title = new QLabel(tr("Select or create a project"));
    title->setObjectName(QStringLiteral("placeholderTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    titleFont.setWeight(QFont::DemiBold);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    const QString where = displayPath(model.store().rootDirectory());
    auto *location = new QLabel(tr("Projects are stored in %1").arg(where));
    location->setObjectName(QStringLiteral("placeholderLocation"));
    location->setForegroundRole(QPalette::PlaceholderText);
    location->setAlignment(Qt::AlignCenter);
    location->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(location);

    layout->addSpacing(14);
    m_sample = new QPushButton(IconProvider::icon(QStringLiteral("film.stack")),
                               tr("Open the Sample Project"));
    m_sample->setObjectName(QStringLiteral("openSampleProject"));
    m_sample->setDefault(true);
    m_sample->setMinimumHeight(32);
    m_sample->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addWidget(m_sample, 0, Qt::AlignHCenter);
    m_sampleNote = new QLabel(
        tr("A short video in seven scenes, to look around and try "
                                   "the export."));
    m_sampleNote->setForegroundRole(QPalette::PlaceholderText);
    m_sampleNote->setAlignment(Qt::AlignCenter);
    m_sampleNote->setWordWrap(true);
    layout->addWidget(m_sampleNote);
    layout->addStretch(4);

    connect(m_sample, &QPushButton::clicked, m_model, &AppModel::openSampleProject);
    connect(m_model, &AppModel::projectsChanged, this, &ContentPlaceholderView::updateSampleOffer);
    updateSampleOffer();
}

QString ContentPlaceholderView::displayPath(const QString &directory)
{
    QString path = QDir::cleanPath(directory);
    const QString home = QDir::cleanPath(QDir::homePath());
    if (path == home)
        path = QStringLiteral("~");
    else if (path.startsWith(home + u'/'))
        path = u'~' + path.mid(home.size());
    return path.endsWith(u'/') ? path : path + u'/';
}

void ContentPlaceholderView::updateSampleOffer()
{
    // Not before the list is read: a large library takes a moment on its worker thread.
    const bool empty = m_model->hasListed() && m_model->projects().isEmpty();
    m_sample->setVisible(empty);
    m_sampleNote->setVisible(empty);
}

} // namespace veskel
