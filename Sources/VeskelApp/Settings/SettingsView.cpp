#include "VeskelApp/Settings/SettingsView.h"

#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Localization/LanguageStore.h"
#include "VeskelApp/Settings/AppearanceController.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Widgets/SecondaryLabel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace veskel {

namespace {

constexpr int formMargin = 20;

// A settings tab's form: labels right-aligned beside their fields, fields as wide as the tab.
QFormLayout *makeForm(QWidget *tab)
{
    auto *form = new QFormLayout(tab);
    form->setContentsMargins(formMargin, formMargin, formMargin, formMargin);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignTop);
    return form;
}

constexpr int valueLabelWidth = 44;

QLabel *noteLabel(const QString &text)
{
    QLabel *label = secondaryLabel(text, 0.9);
    label->setWordWrap(true);
    return label;
}

template<typename E>
QComboBox *enumChoice(const QString &objectName)
{
    auto *combo = new QComboBox;
    combo->setObjectName(objectName);
    combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    for (E value : allCases<E>())
        combo->addItem(displayName(value), rawValue(value));
    return combo;
}

template<typename E>
void select(QComboBox *combo, E value)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(combo->findData(rawValue(value)));
}

template<typename E>
std::optional<E> chosen(QComboBox *combo)
{
    return fromRawValue<E>(combo->currentData().toString());
}

QString languageNote()
{
#ifdef Q_OS_MACOS
    return SettingsView::tr("“Match System” follows the macOS language: Russian or English.");
#else
    return SettingsView::tr("“Match System” follows the system language: Russian or English.");
#endif
}

QString valueText(double value)
{
    return QString::number(std::lround(value));
}

} // namespace

SettingsView::SettingsView(Preferences &preferences,
                           LanguageStore &languageStore,
                           LooksDark looksDark,
                           QWidget *parent)
    : QWidget(parent)
    , m_preferences(&preferences)
    , m_languageStore(&languageStore)
    , m_looksDark(looksDark ? std::move(looksDark) : LooksDark(&AppearanceController::looksDark))
{
    setObjectName(QStringLiteral("SettingsView"));
    setFixedWidth(width);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget;
    m_tabs->setDocumentMode(true);
    m_tabs->addTab(makeGeneralTab(), IconProvider::icon(QStringLiteral("gearshape")),
                   tr("General"));
    m_tabs->addTab(makeEditorTab(), IconProvider::icon(QStringLiteral("textformat.size")),
                   tr("Editor"));
    layout->addWidget(m_tabs);

    connect(m_preferences, &Preferences::changed, this, &SettingsView::refresh);
    refresh();
}

QWidget *SettingsView::makeGeneralTab()
{
    auto *tab = new QWidget;
    QFormLayout *form = makeForm(tab);

    // Appearance: the platform's own, or a forced light or dark look.
    auto *appearance = new QWidget;
    auto *appearanceLayout = new QVBoxLayout(appearance);
    appearanceLayout->setContentsMargins(0, 0, 0, 0);
    m_matchSystemAppearance = new QCheckBox(tr("Match system appearance"));
    m_matchSystemAppearance->setObjectName(QStringLiteral("matchSystemAppearance"));
    appearanceLayout->addWidget(m_matchSystemAppearance);
    m_appearanceChoice = new QWidget;
    auto *choiceLayout = new QHBoxLayout(m_appearanceChoice);
    choiceLayout->setContentsMargins(0, 0, 0, 0);
    m_light = new QRadioButton(displayName(AppAppearance::light));
    m_light->setObjectName(QStringLiteral("appearanceLight"));
    m_dark = new QRadioButton(displayName(AppAppearance::dark));
    m_dark->setObjectName(QStringLiteral("appearanceDark"));
    choiceLayout->addWidget(m_light);
    choiceLayout->addWidget(m_dark);
    choiceLayout->addStretch();
    appearanceLayout->addWidget(m_appearanceChoice);
    form->addRow(tr("Appearance"), appearance);

    connect(m_matchSystemAppearance, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_preferences->setAppearance(AppAppearance::system);
        else
            m_preferences->setAppearance(m_looksDark() ? AppAppearance::dark
                                                       : AppAppearance::light);
    });
    connect(m_light, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_preferences->setAppearance(AppAppearance::light);
    });
    connect(m_dark, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_preferences->setAppearance(AppAppearance::dark);
    });

    m_titleBarMode = enumChoice<TitleBarMode>(QStringLiteral("titleBarMode"));
    form->addRow(tr("Title bar"), m_titleBarMode);
    connect(m_titleBarMode, &QComboBox::currentIndexChanged, this, [this] {
        if (auto mode = chosen<TitleBarMode>(m_titleBarMode))
            m_preferences->setTitleBarMode(*mode);
    });

    m_timelineScrollMode = enumChoice<TimelineScrollMode>(QStringLiteral("timelineScrollMode"));
    form->addRow(tr("Timeline"), m_timelineScrollMode);
    connect(m_timelineScrollMode, &QComboBox::currentIndexChanged, this, [this] {
        if (auto mode = chosen<TimelineScrollMode>(m_timelineScrollMode))
            m_preferences->setTimelineScrollMode(*mode);
    });

    m_markupBarMode = enumChoice<MarkupBarMode>(QStringLiteral("markupBarMode"));
    form->addRow(tr("Markup bar"), m_markupBarMode);
    connect(m_markupBarMode, &QComboBox::currentIndexChanged, this, [this] {
        if (auto mode = chosen<MarkupBarMode>(m_markupBarMode))
            m_preferences->setMarkupBarMode(*mode);
    });

    auto *swipe = new QWidget;
    auto *swipeLayout = new QVBoxLayout(swipe);
    swipeLayout->setContentsMargins(0, 0, 0, 0);
    m_swipe = new QCheckBox(tr("Swipe to show Projects"));
    m_swipe->setObjectName(QStringLiteral("sidebarSwipeEnabled"));
    swipeLayout->addWidget(m_swipe);
    swipeLayout->addWidget(
        noteLabel(tr("Two-finger swipe right shows the project list; swipe left hides it.")));
    form->addRow(QString(), swipe);
    connect(m_swipe, &QCheckBox::toggled, m_preferences, &Preferences::setSidebarSwipeEnabled);

    auto *language = new QWidget;
    auto *languageLayout = new QVBoxLayout(language);
    languageLayout->setContentsMargins(0, 0, 0, 0);
    m_language = new QButtonGroup(this);
    int index = 0;
    for (AppLanguage choice : allCases<AppLanguage>()) {
        auto *button = new QRadioButton(displayName(choice));
        button->setObjectName(QStringLiteral("language-") + rawValue(choice));
        m_language->addButton(button, index++);
        languageLayout->addWidget(button);
    }
    languageLayout->addWidget(noteLabel(languageNote()));
    form->addRow(tr("Language"), language);
    connect(m_language, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && id >= 0 && id < int(allCases<AppLanguage>().size()))
            m_languageStore->setLanguage(allCases<AppLanguage>()[std::size_t(id)]);
    });
    return tab;
}

void SettingsView::addSlider(QFormLayout *form,
                             const QString &label,
                             const EditorTheme::NumberSetting &setting,
                             const QString &note)
{
    auto *field = new QWidget;
    auto *fieldLayout = new QVBoxLayout(field);
    fieldLayout->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    auto *slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QString(setting.key));
    const int step = int(setting.step);
    // The slider counts steps, so every position is a value the setting allows.
    slider->setRange(0, int(std::lround((setting.maximum - setting.minimum) / setting.step)));
    slider->setSingleStep(1);
    slider->setPageStep(std::max(1, 2 / step));
    auto *value = new QLabel;
    value->setObjectName(QString(setting.key) + QStringLiteral("Value"));
    value->setFixedWidth(valueLabelWidth);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(slider, 1);
    row->addWidget(value);
    fieldLayout->addLayout(row);
    if (!note.isEmpty())
        fieldLayout->addWidget(noteLabel(note));
    form->addRow(label, field);
    m_sliders.append({&setting, slider, value});
    connect(slider, &QSlider::valueChanged, this, [this, &setting, value](int position) {
        const double number = setting.minimum + position * setting.step;
        value->setText(valueText(number));
        m_preferences->setEditorNumber(setting, number);
    });
}

QWidget *SettingsView::makeEditorTab()
{
    auto *tab = new QWidget;
    QFormLayout *form = makeForm(tab);
    addSlider(form, tr("Text size"), EditorTheme::textSize,
              tr("Scene headings and notes scale together with the body text."));
    addSlider(form, tr("Line spacing"), EditorTheme::lineSpacing, {});
    addSlider(form, tr("Column width"), EditorTheme::columnWidth, {});
    auto *reset = new QPushButton(tr("Reset to Defaults"));
    reset->setObjectName(QStringLiteral("resetEditorTypography"));
    reset->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(reset, &QPushButton::clicked, m_preferences, &Preferences::resetEditorTypography);
    form->addRow(QString(), reset);
    return tab;
}

void SettingsView::refresh()
{
    const AppAppearance appearance = m_preferences->appearance();
    {
        const QSignalBlocker a(m_matchSystemAppearance);
        const QSignalBlocker b(m_light);
        const QSignalBlocker c(m_dark);
        m_matchSystemAppearance->setChecked(appearance == AppAppearance::system);
        m_light->setChecked(appearance == AppAppearance::light);
        m_dark->setChecked(appearance == AppAppearance::dark);
        m_appearanceChoice->setVisible(appearance != AppAppearance::system);
    }
    select(m_titleBarMode, m_preferences->titleBarMode());
    select(m_timelineScrollMode, m_preferences->timelineScrollMode());
    select(m_markupBarMode, m_preferences->markupBarMode());
    {
        const QSignalBlocker blocker(m_swipe);
        m_swipe->setChecked(m_preferences->sidebarSwipeEnabled());
    }
    {
        const QSignalBlocker blocker(m_language);
        const auto &languages = allCases<AppLanguage>();
        for (std::size_t i = 0; i < languages.size(); ++i) {
            if (languages[i] == m_languageStore->language())
                m_language->button(int(i))->setChecked(true);
        }
    }
    for (const SliderRow &row : m_sliders) {
        const double number = m_preferences->editorNumber(*row.setting);
        const QSignalBlocker blocker(row.slider);
        row.slider->setValue(int(std::lround((number - row.setting->minimum) / row.setting->step)));
        row.value->setText(valueText(number));
    }
}

} // namespace veskel
