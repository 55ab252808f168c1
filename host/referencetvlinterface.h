#pragma once

#include "tvlinterface.h"
#include "tvlvalue.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

// The reference host's script interface: a value store, a vocabulary registry that
// can call registered functions by name, and a record of every command a plug-in
// sends. It owns every value it makes and frees them all when it goes.
class ReferenceTvlInterface final : public TvlInterface
{
public:
    static constexpr int QtWidgetType = 17;
    static constexpr int DefaultVersion = 1500;

    struct Command
    {
        std::string target;
        std::string text;
    };

    struct Registration
    {
        int a, b, c, d;
        VocabularyDescriptor *descriptor;
    };

    ReferenceTvlInterface();
    ~ReferenceTvlInterface();
    ReferenceTvlInterface(const ReferenceTvlInterface &) = delete;
    ReferenceTvlInterface &operator=(const ReferenceTvlInterface &) = delete;

    // Settings that let tests take every failure path of a plug-in.
    void setVersion(int version) { m_version = version; }
    void setQtWidgetTypeAvailable(bool available) { m_qtWidgetType = available; }
    void setRegistrationRefused(bool refused) { m_registrationRefused = refused; }
    void setInstanceName(const std::string &name) { m_instanceName = name; }

    int versionQueries() const { return m_versionQueries; }
    int prepareArgumentsCalls() const { return m_prepareArgumentsCalls; }
    const std::vector<Registration> &registrations() const { return m_registrations; }
    const std::vector<Command> &commands() const { return m_commands; }
    void clearCommands() { m_commands.clear(); }
    void setCommandListener(std::function<void(const Command &)> listener);
    // Misuse seen from the plug-in side (values the host never made, indices outside a list).
    const std::vector<std::string> &faults() const { return m_faults; }

    // Calls a registered function with the given arguments; null when the function
    // is unknown or answers no value.
    TvlValue *call(const std::string &function, const std::vector<TvlValue *> &arguments);
    bool hasFunction(const std::string &function) const;
    std::optional<intptr_t> variable(const std::string &name) const;

    bool owns(const TvlValue *value) const;
    TvlValue *makeList(const std::vector<TvlValue *> &elements);
    std::optional<std::string> text(TvlValue *value);

    int GetVersion() override;
    bool GetArgument(int index, TvlValue *arguments, TvlValue **value) override;
    void PrepareArguments(int flags) override;
    bool RegisterVocabulary(int a, int b, int c, int d, VocabularyDescriptor *vocabulary) override;
    void ExecuteCommand(const char *target, const char *command) override;
    TvlValue *MakeString(const char *text) override;
    void ReleaseValue(TvlValue *value) override;
    void *GetValueData(TvlValue *value) override;
    TvlValue *GetCallArguments() override;
    TvlValue *MakeVoidValue() override;
    TvlValue *MakeList(int size) override;
    void SetListElement(TvlValue *list, int index, TvlValue *value) override;
    int GetInteger(TvlValue *value, int *result) override;
    int GetTextLength(TvlValue *value) override;
    TvlValue *MakeInteger(int value) override;
    TvlValue *MakeUserValue(int type, void *pointer) override;
    int FindUserType(const char *typeName) override;
    TvlValue *GetArgumentList() override;
    TvlValue *FinishList(TvlValue *list, int flags) override;
    void AppendListElement(TvlValue *list, TvlValue *value) override;
    TvlValue *GetListElement(TvlValue *list, int index) override;
    int GetValueKind(TvlValue *value) override;
    int GetUserType(TvlValue *value) override;

private:
    TvlValue *make(TvlValue::Kind kind);
    bool isList(TvlValue *value, const char *operation);
    const VocabularyEntry *findEntry(const std::string &name, intptr_t kind) const;

    std::vector<std::unique_ptr<TvlValue>> m_values;
    std::unordered_set<const TvlValue *> m_known;
    std::vector<TvlValue *> m_callFrames;
    std::vector<Registration> m_registrations;
    std::vector<Command> m_commands;
    std::function<void(const Command &)> m_commandListener;
    std::vector<std::string> m_faults;
    std::string m_instanceName;
    int m_version = DefaultVersion;
    int m_versionQueries = 0;
    int m_prepareArgumentsCalls = 0;
    bool m_qtWidgetType = true;
    bool m_registrationRefused = false;
};
