#pragma once

// The host's script interface (TVL) as a plug-in compiles against it. The host owns
// every TvlValue; a plug-in only passes the handles back. A null TvlValue means
// "no value".

#include <cstdint>

struct TvlValue;                    // host-owned handle, never dereferenced by the plug-in
typedef TvlValue *(*TvlFunction)(); // form of a vocabulary function

struct VocabularyEntry
{
    const char *name;
    intptr_t kind;  // 0 function, 2 variable
    intptr_t value; // function address or variable value
    intptr_t reserved[4];
};

struct VocabularyDescriptor
{
    const char *name;
    const char *language;
    VocabularyEntry *entries;
    intptr_t count;
};

class TvlInterface
{
public:
    virtual int GetVersion() = 0;
    virtual bool GetArgument(int index, TvlValue *arguments, TvlValue **value) = 0;
    virtual void PrepareArguments(int flags) = 0;
    virtual bool RegisterVocabulary(int a, int b, int c, int d,
                                    VocabularyDescriptor *vocabulary) = 0;
    virtual void ExecuteCommand(const char *target, const char *command) = 0;
    virtual TvlValue *MakeString(const char *text) = 0;
    virtual void ReleaseValue(TvlValue *value) = 0;
    // Text of a string; address of the stored pointer of a user value.
    virtual void *GetValueData(TvlValue *value) = 0;
    virtual TvlValue *GetCallArguments() = 0;
    virtual TvlValue *MakeVoidValue() = 0;
    virtual TvlValue *MakeList(int size) = 0; // a list of `size` void elements
    virtual void SetListElement(TvlValue *list, int index, TvlValue *value) = 0;
    virtual int GetInteger(TvlValue *value, int *result) = 0;
    virtual int GetTextLength(TvlValue *value) = 0;
    virtual TvlValue *MakeInteger(int value) = 0;
    virtual TvlValue *MakeUserValue(int type, void *pointer) = 0;
    virtual int FindUserType(const char *typeName) = 0;
    virtual TvlValue *GetArgumentList() = 0;
    virtual TvlValue *FinishList(TvlValue *list, int flags) = 0;
    virtual void AppendListElement(TvlValue *list, TvlValue *value) = 0;
    virtual TvlValue *GetListElement(TvlValue *list, int index) = 0; // null outside the list
    virtual int GetValueKind(TvlValue *value) = 0;                   // 9 for a list
    virtual int GetUserType(TvlValue *value) = 0;

protected:
    ~TvlInterface() {}
};

class HostServices
{
public:
    virtual TvlInterface *GetInterface(const char *name) = 0;
    virtual void ReportError(const char *text) = 0;

protected:
    ~HostServices() {}
};

extern "C" int GetLibraryVersion();
extern "C" bool RegisterLibraryContents(HostServices *host);
