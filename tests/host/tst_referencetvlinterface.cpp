#include "referencetvlinterface.h"

#include <QtTest>

namespace {

ReferenceTvlInterface *currentHost = nullptr;

// A vocabulary function that answers its argument count and first argument's text.
TvlValue *echoFirstArgument()
{
    TvlValue *arguments = currentHost->GetCallArguments();
    TvlValue *first = nullptr;
    if (!currentHost->GetArgument(0, arguments, &first))
        return nullptr;
    return first;
}

VocabularyEntry echoEntries[] = {
    {"echo", 0, reinterpret_cast<intptr_t>(&echoFirstArgument), {0, 0, 0, 0}},
    {"answer", 2, 42, {0, 0, 0, 0}},
};
VocabularyDescriptor echoVocabulary = {"Test", "TVL", echoEntries, 2};

} // namespace

// The reference host's value model and registry, which every plug-in test stands on.
class tst_ReferenceTvlInterface : public QObject
{
    Q_OBJECT

private slots:
    void finishedListReadsLikeAParameterList();
    void registeredFunctionsAreCalledWithTheirArguments();
    void valuesOfOtherKindsHoldNoTextOrInteger();
    void misuseIsRecordedNotFollowed();
};

void tst_ReferenceTvlInterface::finishedListReadsLikeAParameterList()
{
    ReferenceTvlInterface tvl;
    tvl.setInstanceName("DBLP1");
    TvlValue *list = tvl.MakeList(1);
    tvl.AppendListElement(list, tvl.MakeString("a"));
    tvl.AppendListElement(list, tvl.MakeString("b"));
    QCOMPARE(tvl.FinishList(list, 0), list);

    TvlValue *header = tvl.GetListElement(list, 0);
    int count = -1;
    QVERIFY(tvl.GetInteger(tvl.GetListElement(header, 0), &count));
    QCOMPARE(count, 2);
    QCOMPARE(tvl.text(tvl.GetListElement(header, 1)), std::optional<std::string>("DBLP1"));
    QCOMPARE(tvl.GetValueKind(tvl.GetListElement(header, 2)), 9);
    QVERIFY(!tvl.GetListElement(list, 3));
}

void tst_ReferenceTvlInterface::registeredFunctionsAreCalledWithTheirArguments()
{
    ReferenceTvlInterface tvl;
    currentHost = &tvl;
    QVERIFY(tvl.RegisterVocabulary(0, 0, 0, 1, &echoVocabulary));

    TvlValue *argument = tvl.MakeString("hello");
    QCOMPARE(tvl.call("echo", {argument}), argument);
    QVERIFY(!tvl.call("echo", {}));
    QVERIFY(!tvl.call("unknown", {argument}));
    QVERIFY(!tvl.GetCallArguments());
    QCOMPARE(tvl.variable("answer"), std::optional<intptr_t>(42));
    QVERIFY(!tvl.variable("echo"));

    tvl.setRegistrationRefused(true);
    QVERIFY(!tvl.RegisterVocabulary(0, 0, 0, 1, &echoVocabulary));
    QCOMPARE(tvl.registrations().size(), size_t(1));
}

void tst_ReferenceTvlInterface::valuesOfOtherKindsHoldNoTextOrInteger()
{
    ReferenceTvlInterface tvl;
    int result = 5;
    QCOMPARE(tvl.GetInteger(tvl.MakeString("12"), &result), 0);
    QCOMPARE(tvl.GetTextLength(tvl.MakeInteger(12)), 0);
    QCOMPARE(tvl.GetTextLength(tvl.MakeString("")), 0);
    QVERIFY(!tvl.GetValueData(tvl.MakeList(2)));
    QCOMPARE(result, 5);

    int widget = 0;
    TvlValue *user = tvl.MakeUserValue(ReferenceTvlInterface::QtWidgetType, &widget);
    QCOMPARE(*static_cast<void **>(tvl.GetValueData(user)), static_cast<void *>(&widget));
    QCOMPARE(tvl.GetUserType(user), ReferenceTvlInterface::QtWidgetType);
    QCOMPARE(tvl.FindUserType("QtWidget"), ReferenceTvlInterface::QtWidgetType);
    tvl.setQtWidgetTypeAvailable(false);
    QCOMPARE(tvl.FindUserType("QtWidget"), 0);
}

void tst_ReferenceTvlInterface::misuseIsRecordedNotFollowed()
{
    ReferenceTvlInterface tvl;
    TvlValue *list = tvl.MakeList(1);
    tvl.SetListElement(list, 1, tvl.MakeInteger(1));
    tvl.AppendListElement(tvl.MakeInteger(1), list);
    int foreign = 0;
    tvl.ReleaseValue(reinterpret_cast<TvlValue *>(&foreign));
    QCOMPARE(tvl.faults().size(), size_t(3));
    QCOMPARE(tvl.GetValueKind(reinterpret_cast<TvlValue *>(&foreign)), -1);
    QCOMPARE(tvl.GetValueKind(tvl.GetListElement(list, 0)), int(TvlValue::Void));
}

QTEST_GUILESS_MAIN(tst_ReferenceTvlInterface)
#include "tst_referencetvlinterface.moc"
