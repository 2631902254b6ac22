#include "settings/function_tables.h"
#include "settings/vocabulary.h"

#include <QtTest>
#include <map>

using namespace rz;
using namespace rz::settings;

namespace {
QString t(const char* utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

class TestVocabulary : public QObject {
    Q_OBJECT
private slots:
    void everyListHasItsEntriesInBothLanguages() {
        QCOMPARE(int(allLists().size()), ListCount);
        QCOMPARE(ListCount, 59);
        for (ListId id : allLists()) {
            const QStringList english = entries(id, Language::English);
            const QStringList japanese = entries(id, Language::Japanese);
            QCOMPARE(english.size(), entryCount(id));
            QCOMPARE(japanese.size(), entryCount(id));
            QVERIFY(!english.contains(QString()) && !japanese.contains(QString()));
            QVERIFY(!caption(id, Language::English).isEmpty());
            QVERIFY(!caption(id, Language::Japanese).isEmpty());
            QVERIFY(resetPosition(id) < entryCount(id));
            if (isFixed(id))
                QCOMPARE(english, japanese);
            ListId found{Group::Misc, 0};
            QVERIFY(findList(settings::objectName(id), found) && found == id);
        }
        ListId none{};
        QVERIFY(!findList(QStringLiteral("Setting_misc(17)"), none));
        QVERIFY(!findList(QStringLiteral("Set_Mode_Key(6"), none));
    }

    void entriesAsTabled() {
        const QStringList scan = entries({Group::Scan, 3}, Language::English);
        QCOMPARE(scan.at(1), QStringLiteral("  1sec. timer"));
        QCOMPARE(scan.at(25), QStringLiteral(" 25sec. timer"));
        QCOMPARE(scan.at(35), QStringLiteral("1.5min. elapse"));
        QCOMPARE(entries({Group::Scan, 3}, Language::Japanese).at(1), t(" 1秒(ﾀｲﾏｰｽｷｬﾝ)"));
        QCOMPARE(entries({Group::Scan, 1}, Language::English).first(), QStringLiteral(" 5sec."));
        QCOMPARE(entries({Group::Scan, 2}, Language::Japanese).last(), t("25秒"));
        QCOMPARE(entries({Group::Display, 6}, Language::Japanese).mid(1, 1),
                 QStringList{QStringLiteral(" 10ms.")});
        QCOMPARE(entries({Group::Display, 6}, Language::English).last(), QStringLiteral("200ms."));
        QCOMPARE(entries({Group::Display, 1}, Language::Japanese).at(1), t(" 5秒"));
        QCOMPARE(entries({Group::Display, 3}, Language::English).first(), QStringLiteral(" 1"));
        QCOMPARE(entries(DialRing, Language::English).at(2),
                 QString::fromUtf8("Squelch:\u2191\u3000Freq:\u2193"));
        QCOMPARE(entries({Group::Key, 4}, Language::Japanese).first(), t("左:ﾒｲﾝ  ｻﾌﾞ:右"));
        QCOMPARE(entries({Group::Misc, 1}, Language::Japanese).last(), QStringLiteral("30"));
        QCOMPARE(entries(WildKey, Language::Japanese).at(7), t("language／言語"));
        QCOMPARE(entries(RemoteKeyA, Language::English).at(22), QStringLiteral("Carrier cancel"));
        QCOMPARE(caption({Group::Display, 2}, Language::Japanese), t("非操作側  表示サイズ"));
        QCOMPARE(caption(LanguageList, Language::English), t("language／言語"));

        // The stored function codes, by position.
        QCOMPARE(int(keyFunctions().at(7).code), 102);
        QCOMPARE(int(keyFunctions().at(8).code), 24);
        QCOMPARE(int(keyFunctions().at(40).code), 166);
        QCOMPARE(positionOfCode(remoteFunctions(), 7), 22);
        QCOMPARE(positionOfCode(keyFunctions(), 200), -1);
    }

    void applyVocabularyGivesEveryCaptionAndSwitchingList() {
        const VocabularyTexts japanese = ApplyVocabulary(1);
        QCOMPARE(japanese.language, Language::Japanese);
        QCOMPARE(ApplyVocabulary(7).language, Language::English);
        const std::map<QString, QString> captions(japanese.captions.begin(),
                                                  japanese.captions.end());
        QCOMPARE(int(captions.size()), 8 + 42 + 24 + 1);
        QCOMPARE(captions.at(QStringLiteral("Frame14")), t("≪受信設定≫"));
        QCOMPARE(captions.at(QStringLiteral("Frame1")), t("≪ﾘﾓｺﾝ設定≫"));
        QCOMPARE(captions.at(QStringLiteral("Label6")), t("キー番号"));
        QCOMPARE(captions.at(QStringLiteral("LabelRemocon(2)")), t("ﾘﾓｺﾝCﾎﾞﾀﾝ"));
        QCOMPARE(captions.at(QStringLiteral("Label_misc(16)")), t("BUGﾓｰﾄﾞの感度"));
        QVERIFY(captions.at(QStringLiteral("Label_misc(23)")).isEmpty());

        const VocabularyTexts english = ApplyVocabulary(0);
        QCOMPARE(english.captions.back().second, QStringLiteral("Key number"));
        QCOMPARE(int(english.lists.size()), ListCount - 4);
        for (const auto& [name, list] : english.lists) {
            ListId id{};
            QVERIFY(findList(name, id));
            QVERIFY(!isFixed(id));
            QCOMPARE(list, entries(id, Language::English));
        }
    }
};

QTEST_GUILESS_MAIN(TestVocabulary)
#include "tst_vocabulary.moc"
