#include "StoryboardCore/Script/ScriptMarkdownParser.h"

#include <QDateTime>
#include <QSet>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// "<scene index or ->|<role>|<text>" per block, scenes numbered by their place in the result.
QStringList describe(const ParsedScript &script)
{
    QHash<QString, int> index;
    for (int i = 0; i < script.scenes.size(); ++i)
        index.insert(script.scenes.at(i).id, i);
    QStringList lines;
    for (const ScriptBlock &b : script.blocks) {
        const QString owner
            = b.sceneID ? QString::number(index.value(*b.sceneID, -1)) : QStringLiteral("-");
        lines << owner + u'|' + rawValue(b.role) + u'|' + b.text;
    }
    return lines;
}

struct ExpectedScene
{
    const char *title;
    double duration;
};

// The scenes' texts are their blocks' (ScriptSceneSyncTests), so only what the parser itself
// decides is compared.
void expectScenes(const ParsedScript &script, const std::vector<ExpectedScene> &expected)
{
    ASSERT_EQ(script.scenes.size(), qsizetype(expected.size()));
    for (qsizetype i = 0; i < script.scenes.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "scene " << i);
        const Scene &scene = script.scenes.at(i);
        EXPECT_EQ(scene.order, i);
        EXPECT_EQ(scene.title, text(expected.at(size_t(i)).title));
        EXPECT_EQ(scene.durationSeconds, expected.at(size_t(i)).duration);
        EXPECT_EQ(scene.type, SceneType::placeholder);
    }
}

// A finished script: text around the sections, a rule under the script heading and one that
// closes the script, pauses, b-roll lines (one in capitals with a remark after it), a capitalised
// pause that is prose, and visuals with both colon placements.
constexpr const char *mortgageScript = R"(# Как работает ипотека

Черновик ролика для канала «Деньги просто». Хронометраж — около двух минут.

## Сценарий

---

[визуал: Вступление]
Вы когда-нибудь задумывались, почему за квартиру в ипотеку платят почти вдвое больше её цены?
[пауза]
Сегодня разберёмся, из чего складывается переплата.

[b-roll: очередь в отделении банка, крупные планы документов]

[визуал: Ставка]
Главное слово в ипотеке — процентная ставка.
Это цена, которую вы платите банку за то, что пользуетесь его деньгами.
[B-ROLL: график ставок за десять лет] промелькнёт на экране
Чем выше ставка, тем больше переплата.

  [визуал: Срок]
	Второй рычаг — срок кредита.
[пауза]

Растягивая выплаты на тридцать лет, вы снижаете платёж, но платите проценты дольше.

[визуал: Итог]
Итак: ставка, срок и первый взнос. Меняя их, вы меняете итоговую сумму.
[Пауза]

---

Этот абзац уже не относится к сценарию.

## Визуалы

### Вступление
**Текст на слайде:** Почему квартира стоит вдвое дороже?
**Что на экране:** Ведущий в кадре, за спиной — макет многоэтажки

### Ставка
**Текст на слайде**: Процентная ставка — цена денег
**Что на экране:** Анимированный график: ставка 8% против 16%

### Срок
**Что на экране:** Шкала времени от 10 до 30 лет

### Итог
**Текст на слайде:** Ставка · Срок · Взнос
)";

TEST(ScriptMarkdownParser, ReadsAStructuredScriptWithItsVisuals)
{
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const ParsedScript script = ScriptMarkdownParser::parse(text(mortgageScript));

    EXPECT_EQ(
        describe(script),
        QStringList({
            "0|onScreen|Почему квартира стоит вдвое дороже?",
            "0|voiceover|Вы когда-нибудь задумывались, почему за квартиру в ипотеку платят "
            "почти вдвое больше её цены?\nСегодня разберёмся, из чего складывается переплата.",
            "0|note|очередь в отделении банка, крупные планы документов",
            "0|note|Ведущий в кадре, за спиной — макет многоэтажки",
            "1|onScreen|Процентная ставка — цена денег",
            "1|voiceover|Главное слово в ипотеке — процентная ставка.\nЭто цена, которую вы "
            "платите банку за то, что пользуетесь его деньгами.",
            "1|note|график ставок за десять лет",
            "1|voiceover|Чем выше ставка, тем больше переплата.",
            "1|note|Анимированный график: ставка 8% против 16%",
            "2|voiceover|Второй рычаг — срок кредита.",
            "2|voiceover|Растягивая выплаты на тридцать лет, вы снижаете платёж, но платите "
            "проценты дольше.",
            "2|note|Шкала времени от 10 до 30 лет",
            "3|onScreen|Ставка · Срок · Взнос",
            "3|voiceover|Итак: ставка, срок и первый взнос. Меняя их, вы меняете итоговую "
            "сумму.\n[Пауза]",
        }));

    expectScenes(script, {{"Почему квартира стоит вдвое дороже?", 8.5},
                          {"Процентная ставка — цена денег", 10.5},
                          // No on-slide field: the marker stays the title.
                          {"Срок", 7.5},
                          {"Ставка · Срок · Взнос", 5.5}});

    QSet<QString> ids;
    for (const Scene &scene : script.scenes) {
        ids.insert(scene.id);
        EXPECT_EQ(scene.id.size(), 36);
        EXPECT_EQ(scene.id, scene.id.toUpper());
        EXPECT_GE(scene.createdAt, before);
        EXPECT_EQ(scene.createdAt.timeSpec(), Qt::UTC);
        EXPECT_GE(scene.updatedAt, scene.createdAt);
    }
    for (const ScriptBlock &block : script.blocks)
        ids.insert(block.id);
    EXPECT_EQ(ids.size(), script.scenes.size() + script.blocks.size());
}

// Without a script section the whole text is the script: prose before the first marker is
// draft text, and the visuals section, read as prose of the last scene, still applies. Two
// scenes share a marker; the visuals reach the later one.
constexpr const char *backupScript = R"(Привет! Это черновой сценарий, его ещё будем править.

[визуал: Холодное открытие] ведущий смотрит в камеру
Представьте: ноутбук не включается, а диплом был только на нём.

[визуал: Правило 3-2-1]
Три копии данных, два разных носителя, одна копия вне дома.
[b-roll:   внешний диск и облако на экране телефона   ]
Звучит скучно, но это работает.

[визуал: Правило 3-2-1]
Проверяйте, что копии действительно восстанавливаются.

## Визуалы

### Холодное открытие
**Текст на слайде:** Ноутбук не включается
**Текст на слайде:** Всё пропало?

### Правило 3-2-1
**текст на слайде:** Три копии, два носителя, одна копия вне дома — и никакой паники при поломке
**Что на экране** Схема 3-2-1 с иконками

### Несуществующая сцена
**Текст на слайде:** Этого слайда не будет
)";

TEST(ScriptMarkdownParser, ReadsTheWholeTextAsScriptWhenTheScriptSectionIsMissing)
{
    const ParsedScript script = ScriptMarkdownParser::parse(text(backupScript));

    const QString visualsAsProse = text(
        "## Визуалы\n\n"
        "### Холодное открытие\n**Текст на слайде:** Ноутбук не включается\n"
        "**Текст на слайде:** Всё пропало?\n\n"
        "### Правило 3-2-1\n**текст на слайде:** Три копии, два носителя, одна копия вне дома — "
        "и никакой паники при поломке\n**Что на экране** Схема 3-2-1 с иконками\n\n"
        "### Несуществующая сцена\n**Текст на слайде:** Этого слайда не будет");
    QStringList expectedBlocks = {
        "-|voiceover|Привет! Это черновой сценарий, его ещё будем править.",
        "0|onScreen|Всё пропало?",
        "0|onScreen|Ноутбук не включается",
        "0|voiceover|Представьте: ноутбук не включается, а диплом был только на нём.",
        "1|voiceover|Три копии данных, два разных носителя, одна копия вне дома.",
        "1|note|внешний диск и облако на экране телефона",
        "1|voiceover|Звучит скучно, но это работает.",
        "2|onScreen|Три копии, два носителя, одна копия вне дома — и никакой паники при поломке",
        "2|voiceover|Проверяйте, что копии действительно восстанавливаются.",
    };
    for (const QString &paragraph : visualsAsProse.split(QStringLiteral("\n\n")))
        expectedBlocks << QStringLiteral("2|voiceover|") + paragraph;
    expectedBlocks << "2|note|Схема 3-2-1 с иконками";
    EXPECT_EQ(describe(script), expectedBlocks);

    expectScenes(script,
                 {// The later of two slide texts comes first and names the scene.
                  {"Всё пропало?", 4.5},
                  {"Правило 3-2-1", 6.5},
                  // 75 characters: cut to 57, the trailing space dropped, an ellipsis added.
                  {"Три копии, два носителя, одна копия вне дома — и никакой…", 25}});
}

// Windows line ends; chapter headings inside the script section; a scene with nothing under
// its marker and one with only a b-roll note; a second section that ends the script; visuals
// for a scene that owns no block yet.
constexpr const char *editorReviewLines[] = {
    "## Сценарий",
    "",
    "---",
    "",
    "### Часть 1. Знакомство",
    "",
    "[визуал: Экран приветствия]",
    "При первом запуске редактор показывает пустой проект и подсказку.",
    "",
    "[визуал: Пустая сцена]",
    "",
    "[визуал: Перебивка]",
    "[b-roll: руки на клавиатуре, тёплый свет]",
    "[пауза]",
    "",
    "[визуал: Экспорт]",
    "Один клик — и раскадровка уходит монтажёру.",
    "",
    "## Заметки для монтажа",
    "",
    "Музыка: спокойный лоу-фай, без вокала.",
    "",
    "## Визуалы",
    "",
    "### Пустая сцена",
    "**Что на экране:** Пустой таймлайн",
    "**Текст на слайде:** Начните с заголовка",
    "",
    "### Перебивка",
    "**Текст на слайде:** ",
    "",
    "### Экспорт",
    "Просто текст без поля",
    "**Что на экране:** Окно экспорта; прогресс по карточкам",
};

TEST(ScriptMarkdownParser, ReadsAScriptWithWindowsLineEndsAndEmptyScenes)
{
    QStringList lines;
    for (const char *line : editorReviewLines)
        lines << text(line);
    const ParsedScript script = ScriptMarkdownParser::parse(lines.join(QStringLiteral("\r\n")));

    EXPECT_EQ(describe(script),
              QStringList({
                  "-|voiceover|### Часть 1. Знакомство",
                  "0|voiceover|При первом запуске редактор показывает пустой проект и подсказку.",
                  // The scene had no block: its visuals stand where its marker did.
                  "1|onScreen|Начните с заголовка",
                  "1|note|Пустой таймлайн",
                  "2|note|руки на клавиатуре, тёплый свет",
                  "3|voiceover|Один клик — и раскадровка уходит монтажёру.",
                  "3|note|Окно экспорта; прогресс по карточкам",
              }));
    expectScenes(script, {{"Экран приветствия", 4},
                          {"Начните с заголовка", 2},
                          // A slide field without a value changes nothing.
                          {"Перебивка", 2},
                          {"Экспорт", 3}});
}

// An article without visual markers keeps every paragraph as voiceover, markup and all.
constexpr const char *plainArticle = R"(# Пять привычек продуктивного утра

Утро задаёт тон всему дню. Вот что советуют исследователи сна.

## Сценарий

**Текст на слайде:** не используется
> Цитата дня: «Сначала съешьте лягушку»
   // заметка, которая останется текстом
[пауза]

---

1. Просыпайтесь в одно и то же время.
2. Выпивайте стакан воды.
   	
   Остальное — по вкусу.   
)";

TEST(ScriptMarkdownParser, ImportsOtherTextAsPlainVoiceoverParagraphs)
{
    const ParsedScript script = ScriptMarkdownParser::parse(text(plainArticle));
    EXPECT_TRUE(script.scenes.isEmpty());
    EXPECT_EQ(describe(script),
              QStringList({
                  "-|voiceover|# Пять привычек продуктивного утра",
                  "-|voiceover|Утро задаёт тон всему дню. Вот что советуют исследователи сна.",
                  "-|voiceover|## Сценарий",
                  "-|voiceover|**Текст на слайде:** не используется\n> Цитата дня: «Сначала "
                  "съешьте лягушку»\n// заметка, которая останется текстом\n[пауза]",
                  "-|voiceover|1. Просыпайтесь в одно и то же время.\n2. Выпивайте стакан воды.",
                  "-|voiceover|Остальное — по вкусу.",
              }));
}

TEST(ScriptMarkdownParser, DetectsTheStructuredLayoutOnlyByTheExactMarkerPrefix)
{
    // Upper case or a missing colon is not the sign of the structured layout.
    for (const char *source : {"[ВИЗУАЛ: Один]\nТекст", "[визуал Один]\nТекст"}) {
        const ParsedScript script = ScriptMarkdownParser::parse(text(source));
        EXPECT_TRUE(script.scenes.isEmpty()) << source;
        EXPECT_EQ(describe(script), QStringList({"-|voiceover|" + text(source)}));
    }
    // Once the layout is chosen, markers themselves match in any case.
    const ParsedScript script
        = ScriptMarkdownParser::parse(text("[ВИЗУАЛ:Один]\nТекст\n\n[визуал: Два]"));
    ASSERT_EQ(script.scenes.size(), 2);
    EXPECT_EQ(script.scenes.at(0).title, QStringLiteral("Один"));
}

struct MarkerCase
{
    const char *name;
    const char *source;
    QStringList blocks;
    QStringList titles;
};

void PrintTo(const MarkerCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScriptLines : public ::testing::TestWithParam<MarkerCase>
{
};

TEST_P(ScriptLines, BecomeScenesAndBlocks)
{
    const MarkerCase &c = GetParam();
    const ParsedScript script = ScriptMarkdownParser::parse(text(c.source));
    EXPECT_EQ(describe(script), c.blocks);
    QStringList titles;
    for (const Scene &scene : script.scenes)
        titles << scene.title;
    EXPECT_EQ(titles, c.titles);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ScriptLines,
    ::testing::Values(
        MarkerCase{"UnclosedOrEmptyBracketIsProse",
                   "[визуал: A]\n\n[визуал: без скобки\n\n[визуал:]\n\n[b-roll:]\n[b-roll: тоже",
                   {"0|voiceover|[визуал: без скобки", "0|voiceover|[визуал:]",
                    "0|voiceover|[b-roll:]\n[b-roll: тоже"},
                   {"A"}},
        MarkerCase{
            "BlankMarkerStillOpensAScene", "[визуал:   ]\nтекст", {"0|voiceover|текст"}, {""}},
        MarkerCase{"MarkerInsideAParagraphIsDropped",
                   "[визуал: A]\nраз\n[визуал: B]\nдва",
                   {"0|voiceover|раз\nдва"},
                   {"A"}},
        MarkerCase{"MarkerNeedsToOpenTheLine",
                   "[визуал: A]\n\nсм. [визуал: B] выше",
                   {"0|voiceover|см. [визуал: B] выше"},
                   {"A"}},
        MarkerCase{"BRollBetweenProseSplitsIt",
                   "[визуал: A]\nраз\n[b-roll: вид]\n\nдва\n[пауза]\nтри",
                   {"0|voiceover|раз", "0|note|вид", "0|voiceover|два\nтри"},
                   {"A"}},
        MarkerCase{"RuleEndsAParagraph",
                   "[визуал: A]\nраз\n---\n[визуал: B]\nдва",
                   {"0|voiceover|раз", "1|voiceover|два"},
                   {"A", "B"}},
        MarkerCase{"BracketInTheMarkerEndsIt",
                   "[визуал: A [1]] хвост\nтекст",
                   {"0|voiceover|текст"},
                   {"A [1"}},
        MarkerCase{"OnlyPausesLeaveNoBlock", "[визуал: A]\n[пауза]\n  [пауза]\t", {}, {"A"}}));

TEST(ScriptMarkdownParser, SectionRulesAndHeadings)
{
    // "---" after blank lines under the heading is skipped; "### " does not end the section; a
    // later "## " heading does.
    const ParsedScript script = ScriptMarkdownParser::parse(
        text("## Сценарий\n\n\n---\n[визуал: A]\nраз\n### подзаголовок\n## Другое\n[визуал: B]"));
    EXPECT_EQ(describe(script), QStringList({"0|voiceover|раз\n### подзаголовок"}));

    // Only the first script section counts, and its heading must stand alone on the line.
    const ParsedScript second = ScriptMarkdownParser::parse(
        text("## Сценарий: черновик\n[визуал: X]\n\n  ## Сценарий  \n[визуал: A]\n---\n"
             "## Сценарий\n[визуал: B]"));
    ASSERT_EQ(second.scenes.size(), 1);
    EXPECT_EQ(second.scenes.at(0).title, QStringLiteral("A"));

    // An empty script section gives nothing, even with markers elsewhere.
    EXPECT_EQ(ScriptMarkdownParser::parse(text("[визуал: A]\n## Сценарий\n---\n## Визуалы\n"
                                               "### A\n**Текст на слайде:** x")),
              ParsedScript{});
}

struct FieldCase
{
    const char *line;
    const char *onScreen; // nullptr when the line is not an on-slide field
};

void PrintTo(const FieldCase &c, std::ostream *os)
{
    *os << c.line;
}

class VisualFields : public ::testing::TestWithParam<FieldCase>
{
};

TEST_P(VisualFields, AcceptTheColonInsideOrOutsideAndAnyCase)
{
    const FieldCase &c = GetParam();
    const ParsedScript script = ScriptMarkdownParser::parse(
        text("## Сценарий\n[визуал: A]\nтекст\n## Визуалы\n### A\n") + text(c.line));
    ASSERT_EQ(script.scenes.size(), 1);
    if (c.onScreen) {
        EXPECT_EQ(script.scenes.at(0).onScreenText, text(c.onScreen));
        EXPECT_EQ(script.scenes.at(0).title, text(c.onScreen));
    } else {
        EXPECT_EQ(script.scenes.at(0).onScreenText, QString());
        EXPECT_EQ(script.scenes.at(0).title, QStringLiteral("A"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    VisualFields,
    ::testing::Values(FieldCase{"**Текст на слайде:** Слайд", "Слайд"},
                      FieldCase{"**Текст на слайде**: Слайд", "Слайд"},
                      FieldCase{"**Текст на слайде** Слайд", "Слайд"},
                      FieldCase{"**Текст на слайде:**:Слайд", "Слайд"},
                      FieldCase{"  **ТЕКСТ НА СЛАЙДЕ:**\u00A0 Слайд  ", "Слайд"},
                      FieldCase{"**Текст на слайде:** **жирный** текст", "**жирный** текст"},
                      FieldCase{"**Текст на слайде:**", nullptr},
                      FieldCase{"**Текст на слайде** ", nullptr},
                      FieldCase{"*Текст на слайде:* Слайд", nullptr},
                      FieldCase{"Текст на слайде: Слайд", nullptr},
                      FieldCase{"- **Текст на слайде:** Слайд", nullptr},
                      FieldCase{"**Текст на слайдах:** Слайд", nullptr}));

TEST(ScriptMarkdownParser, VisualsForUnknownMarkersOrBeforeAnyHeadingAreIgnored)
{
    const ParsedScript script = ScriptMarkdownParser::parse(
        text("## Сценарий\n[визуал: A]\nтекст\n## Визуалы\n**Текст на слайде:** сирота\n"
             "### a\n**Текст на слайде:** регистр важен\n###A\n**Что на экране:** слитно\n"
             "###   A  \n**Что на экране:** с пробелами"));
    EXPECT_EQ(describe(script), QStringList({"0|voiceover|текст", "0|note|с пробелами"}));
}

struct TitleCase
{
    QString slide;
    QString title;
};

void PrintTo(const TitleCase &c, std::ostream *os)
{
    *os << c.slide.size() << " code units";
}

class SlideTitles : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(SlideTitles, KeepSixtyCharactersAndCutLongerOnes)
{
    EXPECT_EQ(ScriptMarkdownParser::sceneTitle(GetParam().slide), GetParam().title);
}

const QString sixty = QString(60, u'я');
// "й" written as и + combining breve: one character, two code units.
const QString shortI = QStringLiteral("и\u0306");
const QString family = QStringLiteral("👨‍👩‍👧");

INSTANTIATE_TEST_SUITE_P(
    Cases,
    SlideTitles,
    ::testing::Values(TitleCase{sixty, sixty},
                      TitleCase{sixty + u'!', QString(57, u'я') + u'…'},
                      TitleCase{QStringLiteral("  \n") + sixty + QStringLiteral(" \t"), sixty},
                      TitleCase{QString(56, u'я') + QStringLiteral("   долгий хвост"),
                                QString(56, u'я') + u'…'},
                      TitleCase{shortI.repeated(60), shortI.repeated(60)},
                      TitleCase{shortI.repeated(61), shortI.repeated(57) + u'…'},
                      TitleCase{family.repeated(61), family.repeated(57) + u'…'},
                      TitleCase{QString(), QString()}));

TEST(ScriptMarkdownParser, HostileTextNeitherCrashesNorStalls)
{
    // Long unclosed brackets are where a backtracking pattern turns quadratic.
    const QString spaces(300'000, u' ');
    const QStringList sources = {
        QStringLiteral("[визуал: A]\n[визуал:") + spaces + QStringLiteral("x"),
        QStringLiteral("[визуал:") + spaces,
        QStringLiteral("[визуал: A]\n[b-roll:") + spaces + QStringLiteral("\n[b-roll:")
            + QString(1'000'000, u'['),
        QStringLiteral("[визуал: A]\n## Визуалы\n### A\n**Текст на слайде:**") + spaces
            + QStringLiteral("конец"),
        QStringLiteral("[визуал: A]\n## Визуалы\n### ") + QString(1'000'000, u'#'),
        QStringLiteral("[визуал: ") + QChar(0) + QStringLiteral("]\n\r\r\n") + QChar(0xD800)
            + QStringLiteral("\n## Визуалы\n### ") + QChar(0)
            + QStringLiteral("\n**Текст на слайде:** ") + QChar(0xDC00),
        QString(300'000, u'\n') + QStringLiteral("[визуал: A]"),
    };
    for (const QString &source : sources)
        (void)ScriptMarkdownParser::parse(source);

    // Thousands of scenes with a field each stay linear too.
    QString many = QStringLiteral("## Сценарий\n");
    QString visuals = QStringLiteral("## Визуалы\n");
    for (int i = 0; i < 20'000; ++i) {
        many += QStringLiteral("[визуал: %1]\nслово\n\n").arg(i);
        visuals += QStringLiteral("### %1\n**Что на экране:** кадр\n").arg(i);
    }
    const ParsedScript script = ScriptMarkdownParser::parse(many + visuals);
    ASSERT_EQ(script.scenes.size(), 20'000);
    EXPECT_EQ(script.blocks.size(), 40'000);
    EXPECT_EQ(script.blocks.at(39'999).text, QStringLiteral("кадр"));
    EXPECT_EQ(script.blocks.at(39'999).sceneID, script.scenes.at(19'999).id);
}

} // namespace
