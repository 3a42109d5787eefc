#include "VeskelApp/Window/VersionBrowserDialog.h"

#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Localization/SceneCountText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

QString rowText(const ProjectVersion &version)
{
    QStringList parts{QLocale().toString(version.savedAt.toLocalTime(), QLocale::ShortFormat)};
    if (version.sceneCount)
        parts << sceneCountText(*version.sceneCount);
    if (version.conflictCopy)
        parts << VersionBrowserDialog::tr("conflict copy");
    return parts.join(QStringLiteral(" · "));
}

} // namespace

VersionBrowserDialog::VersionBrowserDialog(ProjectStore &store,
                                           ProjectEditorViewModel &editor,
                                           QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("versionBrowser"));
    setWindowTitle(tr("Versions of “%1”").arg(editor.project().title));
    resize(820, 520);

    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    m_list = new QListWidget;
    m_list->setMinimumWidth(260);
    row->addWidget(m_list);
    m_preview = new QPlainTextEdit;
    m_preview->setReadOnly(true);
    row->addWidget(m_preview, 1);
    layout->addLayout(row, 1);
    m_empty = new QLabel(tr("No versions yet: every save keeps the one before it here."));
    m_empty->setWordWrap(true);
    layout->addWidget(m_empty);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    m_restore = buttons->addButton(tr("Restore This Version"), QDialogButtonBox::AcceptRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_restore, &QPushButton::clicked, this, &VersionBrowserDialog::restoreChosen);
    connect(m_list, &QListWidget::currentRowChanged, this, &VersionBrowserDialog::showChosen);

    if (const auto package = m_store.packagePath(editor.project())) {
        m_package = *package;
        if (auto versions = m_store.listVersions(m_package))
            m_versions = std::move(*versions);
    }
    for (const ProjectVersion &version : std::as_const(m_versions))
        m_list->addItem(rowText(version));
    m_empty->setVisible(m_versions.isEmpty());
    m_restore->setEnabled(false);
    if (!m_versions.isEmpty())
        m_list->setCurrentRow(0);
}

std::optional<StoryboardProject> VersionBrowserDialog::chosenVersion()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_versions.size())
        return std::nullopt;
    auto version = m_store.readVersion(m_package, m_versions.at(row).name);
    if (!version) {
        m_preview->setPlainText(version.error().description());
        return std::nullopt;
    }
    return std::move(*version);
}

void VersionBrowserDialog::showChosen()
{
    m_restore->setEnabled(false);
    m_preview->clear();
    const auto version = chosenVersion();
    if (!version)
        return;
    m_preview->setPlainText(
        ScriptDocumentCodec::serialize(version->scriptBlocks, version->orderedScenes()).text);
    m_restore->setEnabled(true);
}

void VersionBrowserDialog::restoreChosen()
{
    const auto version = chosenVersion();
    if (!version)
        return;
    m_editor.restoreVersion(*version);
    accept();
}

} // namespace veskel
