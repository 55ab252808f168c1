// The component-file reader on any bytes. It takes only files that are a JSON object with
// an instance name and lists of texts the host can keep for parameters, holds just what such a file says and
// writes it out as a file that reads back the same; anything else it refuses with a
// message, keeping the component it had. Qt's reader is the judge of what a file says.

#include "componentfile.h"
#include "fuzzcheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

bool isListOfTexts(const QJsonValue &value)
{
    const QJsonArray list = value.toArray();
    return value.isArray() && std::all_of(list.begin(), list.end(),
                                          [](const QJsonValue &text) { return text.isString(); });
}

// The host keeps 8-bit Latin-1 texts that end at a NUL.
bool hostKeeps(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar character) {
        return character.unicode() != 0 && character.unicode() <= 0xff;
    });
}

bool hostKeepsAll(const QJsonObject &parameters)
{
    for (auto it = parameters.begin(); it != parameters.end(); ++it) {
        const QJsonArray texts = it.value().toArray();
        if (!hostKeeps(it.key()) ||
            !std::all_of(texts.begin(), texts.end(),
                         [](const QJsonValue &text) { return hostKeeps(text.toString()); }))
            return false;
    }
    return true;
}

bool isComponent(const QJsonDocument &document)
{
    const QJsonObject object = document.object();
    const QJsonObject parameters = object.value(QStringLiteral("parameters")).toObject();
    return document.isObject() && object.value(QStringLiteral("instance")).isString() &&
           object.value(QStringLiteral("parameters")).isObject() &&
           std::all_of(parameters.begin(), parameters.end(), isListOfTexts) &&
           hostKeepsAll(parameters);
}

ComponentFile::Parameters parametersIn(const QJsonDocument &document)
{
    ComponentFile::Parameters parameters;
    const QJsonObject object = document.object().value(QStringLiteral("parameters")).toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        QStringList &texts = parameters[it.key()];
        for (const QJsonValue &text : it.value().toArray())
            texts.append(text.toString());
    }
    return parameters;
}

void checkTaken(const ComponentFile &component, const QByteArray &json)
{
    LP_FUZZ_CHECK(!json.contains('\0'));
    const QJsonDocument document = QJsonDocument::fromJson(json);
    LP_FUZZ_CHECK(isComponent(document));
    LP_FUZZ_CHECK(component.instanceName() ==
                  document.object().value(QStringLiteral("instance")).toString());
    LP_FUZZ_CHECK(component.parameters() == parametersIn(document));

    ComponentFile reread;
    QString error;
    LP_FUZZ_CHECK(reread.readJson(component.toJson(), &error));
    LP_FUZZ_CHECK(reread.instanceName() == component.instanceName());
    LP_FUZZ_CHECK(reread.parameters() == component.parameters());
    LP_FUZZ_CHECK(reread.toJson() == component.toJson());
}

// Files that hold a NUL byte or repeat a key are refused unparsed: Qt's reader takes keys
// that differ after a NUL for one key and leaks the first value of a repeated key when it
// is a list. Any other refused file is no component.
void checkRefused(const QString &error, const QByteArray &json)
{
    LP_FUZZ_CHECK(!error.isEmpty());
    if (!json.contains('\0') && !error.endsWith(QStringLiteral("\" is repeated)")))
        LP_FUZZ_CHECK(!isComponent(QJsonDocument::fromJson(json)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), int(size));
    // One component reads every input, as an editor session may open one file after another.
    static ComponentFile component;
    const QByteArray before = component.toJson();
    QString error;
    if (component.readJson(json, &error)) {
        checkTaken(component, json);
    } else {
        checkRefused(error, json);
        LP_FUZZ_CHECK(component.toJson() == before);
    }
    return 0;
}
