#include "referencetvlinterface.h"

#include <algorithm>
#include <climits>
#include <cstring>

ReferenceTvlInterface::ReferenceTvlInterface() = default;
ReferenceTvlInterface::~ReferenceTvlInterface() = default;

void ReferenceTvlInterface::setCommandListener(std::function<void(const Command &)> listener)
{
    m_commandListener = std::move(listener);
}

TvlValue *ReferenceTvlInterface::call(const std::string &function,
                                      const std::vector<TvlValue *> &arguments)
{
    const VocabularyEntry *entry = findEntry(function, 0);
    if (!entry)
        return nullptr;
    m_callFrames.push_back(makeList(arguments));
    TvlValue *result = reinterpret_cast<TvlFunction>(entry->value)();
    m_callFrames.pop_back();
    return result;
}

bool ReferenceTvlInterface::hasFunction(const std::string &function) const
{
    return findEntry(function, 0) != nullptr;
}

std::optional<intptr_t> ReferenceTvlInterface::variable(const std::string &name) const
{
    if (const VocabularyEntry *entry = findEntry(name, 2))
        return entry->value;
    return std::nullopt;
}

// The latest registration of a name wins, as a re-registered vocabulary replaces the old one.
const VocabularyEntry *ReferenceTvlInterface::findEntry(const std::string &name,
                                                        intptr_t kind) const
{
    for (auto it = m_registrations.rbegin(); it != m_registrations.rend(); ++it) {
        const VocabularyDescriptor *descriptor = it->descriptor;
        for (intptr_t i = 0; i < descriptor->count; ++i) {
            const VocabularyEntry &entry = descriptor->entries[i];
            if (entry.name && entry.kind == kind && name == entry.name)
                return &entry;
        }
    }
    return nullptr;
}

bool ReferenceTvlInterface::owns(const TvlValue *value) const
{
    return value && m_known.count(value) > 0;
}

TvlValue *ReferenceTvlInterface::makeList(const std::vector<TvlValue *> &elements)
{
    TvlValue *list = make(TvlValue::List);
    list->elements = elements;
    return list;
}

std::optional<std::string> ReferenceTvlInterface::text(TvlValue *value)
{
    if (!owns(value) || value->kind != TvlValue::Text)
        return std::nullopt;
    return value->text;
}

TvlValue *ReferenceTvlInterface::make(TvlValue::Kind kind)
{
    m_values.push_back(std::make_unique<TvlValue>());
    TvlValue *value = m_values.back().get();
    value->kind = kind;
    m_known.insert(value);
    return value;
}

bool ReferenceTvlInterface::isList(TvlValue *value, const char *operation)
{
    if (owns(value) && value->kind == TvlValue::List)
        return true;
    m_faults.push_back(std::string(operation) + ": not a list");
    return false;
}

int ReferenceTvlInterface::GetVersion()
{
    ++m_versionQueries;
    return m_version;
}

bool ReferenceTvlInterface::GetArgument(int index, TvlValue *arguments, TvlValue **value)
{
    TvlValue *argument = GetListElement(arguments, index);
    if (value)
        *value = argument;
    return argument != nullptr;
}

void ReferenceTvlInterface::PrepareArguments(int)
{
    ++m_prepareArgumentsCalls;
}

bool ReferenceTvlInterface::RegisterVocabulary(int a, int b, int c, int d,
                                               VocabularyDescriptor *vocabulary)
{
    if (m_registrationRefused || !vocabulary || vocabulary->count < 0)
        return false;
    m_registrations.push_back({a, b, c, d, vocabulary});
    return true;
}

void ReferenceTvlInterface::ExecuteCommand(const char *target, const char *command)
{
    m_commands.push_back({target ? target : "", command ? command : ""});
    if (m_commandListener)
        m_commandListener(m_commands.back());
}

TvlValue *ReferenceTvlInterface::MakeString(const char *text)
{
    TvlValue *value = make(TvlValue::Text);
    value->text = text ? text : "";
    return value;
}

void ReferenceTvlInterface::ReleaseValue(TvlValue *value)
{
    if (!owns(value)) {
        m_faults.push_back("ReleaseValue: a value the host never made");
        return;
    }
    ++value->releases;
}

void *ReferenceTvlInterface::GetValueData(TvlValue *value)
{
    if (!owns(value))
        return nullptr;
    switch (value->kind) {
    case TvlValue::Text:
        return value->text.data();
    case TvlValue::User:
        return &value->pointer;
    default:
        return nullptr;
    }
}

TvlValue *ReferenceTvlInterface::GetCallArguments()
{
    return m_callFrames.empty() ? nullptr : m_callFrames.back();
}

TvlValue *ReferenceTvlInterface::MakeVoidValue()
{
    return make(TvlValue::Void);
}

TvlValue *ReferenceTvlInterface::MakeList(int size)
{
    TvlValue *list = make(TvlValue::List);
    for (int i = 0; i < size; ++i)
        list->elements.push_back(MakeVoidValue());
    return list;
}

void ReferenceTvlInterface::SetListElement(TvlValue *list, int index, TvlValue *value)
{
    if (!isList(list, "SetListElement"))
        return;
    if (index < 0 || size_t(index) >= list->elements.size()) {
        m_faults.push_back("SetListElement: index outside the list");
        return;
    }
    list->elements[size_t(index)] = value;
}

int ReferenceTvlInterface::GetInteger(TvlValue *value, int *result)
{
    if (!owns(value) || value->kind != TvlValue::Integer)
        return 0;
    if (result)
        *result = value->integer;
    return 1;
}

int ReferenceTvlInterface::GetTextLength(TvlValue *value)
{
    if (!owns(value) || value->kind != TvlValue::Text)
        return 0;
    return int(std::min<size_t>(std::strlen(value->text.c_str()), INT_MAX));
}

TvlValue *ReferenceTvlInterface::MakeInteger(int value)
{
    TvlValue *integer = make(TvlValue::Integer);
    integer->integer = value;
    return integer;
}

TvlValue *ReferenceTvlInterface::MakeUserValue(int type, void *pointer)
{
    TvlValue *value = make(TvlValue::User);
    value->userType = type;
    value->pointer = pointer;
    return value;
}

int ReferenceTvlInterface::FindUserType(const char *typeName)
{
    if (m_qtWidgetType && typeName && std::strcmp(typeName, "QtWidget") == 0)
        return QtWidgetType;
    return 0;
}

TvlValue *ReferenceTvlInterface::GetArgumentList()
{
    return GetCallArguments();
}

// Element 0 becomes the header of a parameter list: the count of the entries after
// it, the instance name and the (empty) node list.
TvlValue *ReferenceTvlInterface::FinishList(TvlValue *list, int flags)
{
    if (!isList(list, "FinishList") || flags != 0 || list->elements.empty())
        return list;
    const int count = int(list->elements.size() - 1);
    list->elements[0] =
        makeList({MakeInteger(count), MakeString(m_instanceName.c_str()), makeList({})});
    return list;
}

void ReferenceTvlInterface::AppendListElement(TvlValue *list, TvlValue *value)
{
    if (isList(list, "AppendListElement"))
        list->elements.push_back(value);
}

TvlValue *ReferenceTvlInterface::GetListElement(TvlValue *list, int index)
{
    if (!owns(list) || list->kind != TvlValue::List || index < 0 ||
        size_t(index) >= list->elements.size())
        return nullptr;
    return list->elements[size_t(index)];
}

int ReferenceTvlInterface::GetValueKind(TvlValue *value)
{
    return owns(value) ? int(value->kind) : -1;
}

int ReferenceTvlInterface::GetUserType(TvlValue *value)
{
    return owns(value) && value->kind == TvlValue::User ? value->userType : 0;
}
