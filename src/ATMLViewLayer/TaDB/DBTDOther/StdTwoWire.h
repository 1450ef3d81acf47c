// The connection description of a connect, disconnect or reset action: the
// reference to the signal's row in the signal table, the connection target
// and the action's connection texts. As static operations it carries the
// target's vocabulary and the packers of the texts hosts build: a list of
// UUT items, an instrument pair and a list of switch-channel pairs.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

// What an action connects to. Fixed 32-bit, like the signal enumerations.
enum ACTION_CONNECT_TARGET : int { CONNECT_TARGET_UUT = 0, CONNECT_TARGET_INSTRUMENT = 1 };

class AFX_EXT_CLASS CStdTwoWire : public CATMLError {
public:
    CStdTwoWire();
    // Both copy the error state and every member.
    CStdTwoWire(const CStdTwoWire& other) = default;
    CStdTwoWire& operator=(const CStdTwoWire& other) = default;
    virtual ~CStdTwoWire();

    // The member itself, so a caller can change its fields in place.
    _TD_REF& GetStdSignalRef() { return m_stdSignalRef; }
    void SetStdSignalRef(_TD_REF ref) { m_stdSignalRef = ref; }

    // The target of a text (exact match; any other text is the UUT), the text
    // of a target ("" for a value without one), and the list of the texts.
    static ACTION_CONNECT_TARGET GetConnectType(CString text);
    static CString GetConnectType(ACTION_CONNECT_TARGET target);
    static void GetConnectType(CStringArray& texts);

    // UUT list "a;b;c": the unpacker appends the non-empty items.
    static void GetUUTInfo(CStringArray& items, const CString& text);
    static void SetUUTInfo(CStringArray& items, CString& text);
    // Instrument pair "first/second", split at the first "/".
    static void GetIviInfo(const CString& text, CString& first, CString& second);
    static void SetIviInfo(CString& text, CString first, CString second);
    // Switch-channel list "first/second;first/second;": the unpacker appends
    // one part of every entry to each array; the packer gives "" for arrays
    // of different lengths.
    static void GetSwitchChInfo(const CString& text, CStringArray& firsts, CStringArray& seconds);
    static void SetSwitchChInfo(CString& text, CStringArray& firsts, CStringArray& seconds);

private:
    _TD_REF m_stdSignalRef;

public:
    ACTION_CONNECT_TARGET m_nConnectType = CONNECT_TARGET_UUT;
    CString m_strInstruContent;
    CString m_strUutContent;
    CString m_strUutBuildInstr;   // connect actions only
    CString m_strUutBuildSwitch;  // connect actions only
};

#include "platform/mfc/AfxExtEnd.h"
