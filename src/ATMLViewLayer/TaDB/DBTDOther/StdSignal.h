// The base signal class: what every signal that a set-up action drives or
// measures shares (type, action name, reference to its signal-table row,
// measurement information, parameter transfer and measure), and, as static
// operations, the signal vocabularies and the reading of "value unit" texts.
// The classes of the signal types derive from it.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdMeasure.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdParameterTransfer.h"
#include "platform/mfc/CStringArray.h"

// The type of a signal. 0 is no type; 23 to 31 have no class of their own.
// Fixed 32-bit, so any value a host or a file passes is held as it is.
enum TD_SIGNALTYPE : int {
    TD_SIGNAL_NONE = 0,
    TD_SIGNAL_DC = 1,
    TD_SIGNAL_AC = 2,
    TD_SIGNAL_TRIANGULAR_WAVE = 3,
    TD_SIGNAL_SQUARE_WAVE = 4,
    TD_SIGNAL_RS232 = 5,
    TD_SIGNAL_AM = 6,
    TD_SIGNAL_FM = 7,
    TD_SIGNAL_PM = 8,
    TD_SIGNAL_DIGITAL_PARALLEL = 9,
    TD_SIGNAL_DIGITAL_SERIAL = 10,
    TD_SIGNAL_DME_INTERROGATION = 11,
    TD_SIGNAL_DME_RESPONSE = 12,
    TD_SIGNAL_ILS_GLIDE_SLOPE = 13,
    TD_SIGNAL_ILS_LOCALIZER = 14,
    TD_SIGNAL_ILS_MARKER = 15,
    TD_SIGNAL_PULSED_AC = 16,
    TD_SIGNAL_PULSED_AC_TRAIN = 17,
    TD_SIGNAL_PULSED_DC = 18,
    TD_SIGNAL_PULSED_DC_TRAIN = 19,
    TD_SIGNAL_RADAR_RX = 20,
    TD_SIGNAL_RADAR_TX = 21,
    TD_SIGNAL_RAMP = 22,
    TD_SIGNAL_RANDOM_NOISE = 23,
    TD_SIGNAL_RESOLVER = 24,
    TD_SIGNAL_SSR_INTERROGATION = 25,
    TD_SIGNAL_SSR_RESPONSE = 26,
    TD_SIGNAL_STEP = 27,
    TD_SIGNAL_SUPPRESSED_CARRIER = 28,
    TD_SIGNAL_SYNCHRO = 29,
    TD_SIGNAL_TACAN = 30,
    TD_SIGNAL_VOR = 31,
    TD_SIGNAL_RESISTANCE = 32,
    TD_SIGNAL_SINUSOID = 33,
    TD_SIGNAL_CONSTANT = 34
};

// The scope of a referenced signal.
enum TD_REF_TYPE : int { TD_REF_GLOBAL = 0, TD_REF_LOCAL = 1 };

// The role of a referenced signal in a test; there is no role 0.
enum TD_TESTROLE_TYPE : int { TD_ROLE_STIMULUS = 1, TD_ROLE_MEASUREMENT = 2, TD_ROLE_MONITORING = 3 };

// The reference from a signal description to a row of SignalTable. It starts
// local and a stimulus wherever it is made, never with indeterminate values.
struct AFX_EXT_CLASS _TD_REF {
    TD_REF_TYPE m_nRange = TD_REF_LOCAL;
    TD_TESTROLE_TYPE m_nRole = TD_ROLE_STIMULUS;
    CString m_strName;
};

class AFX_EXT_CLASS CStdSignal : public CATMLError {
public:
    CStdSignal();
    // Copies the error state and every member, the type included.
    CStdSignal(const CStdSignal& other) = default;
    // Copies everything but the type and the error state, then clears the
    // in-use flags that the new role rules out. Self-assignment changes nothing.
    void operator=(const CStdSignal& other);
    virtual ~CStdSignal();

    TD_SIGNALTYPE GetStdSignalType() const { return m_nStdSignalType; }
    void SetStdSignalType(TD_SIGNALTYPE type) { m_nStdSignalType = type; }
    CString GetActName() const { return m_strActName; }
    void SetActName(CString name) { m_strActName = name; }
    // The member itself, so a caller can change its fields in place.
    _TD_REF& GetStdSignalRef() { return m_stdSignalRef; }
    void SetStdSignalRef(_TD_REF ref) { m_stdSignalRef = ref; }
    CString GetMeasureInfo() const { return m_strMeasureInfo; }
    void SetMeasureInfo(CString info) { m_strMeasureInfo = info; }

    // Vocabularies. Value to text gives "" for a value without text; text to
    // value compares whole texts exactly and gives 1 when none matches; the
    // list forms empty the array and fill it in the order editors offer.
    static CString GetSignalType(TD_SIGNALTYPE type);
    static TD_SIGNALTYPE GetSignalType(CString text);
    static void GetSignalType(CStringArray& texts);
    static CString GetSignalRange(TD_REF_TYPE range);
    static TD_REF_TYPE GetSignalRange(CString text);
    static void GetSignalRange(CStringArray& texts);
    static CString GetSignalRole(TD_TESTROLE_TYPE role);
    static TD_TESTROLE_TYPE GetSignalRole(CString text);
    static void GetSignalRole(CStringArray& texts);
    static void GetInfoRange(CStringArray& texts);
    static void GetDataType(CStringArray& texts);
    static void GetDataUnit(CStringArray& texts);
    static void GetControlAct(CStringArray& texts);
    static void GetDataCompareWay(CStringArray& texts);
    static void GetOutcomeValue(CStringArray& texts);
    static void GetJudgeTerm(CStringArray& texts);
    static void GetTestGroupType(CStringArray& texts);
    static void GetSchedulingType(CStringArray& texts);

    // Appends the tokens of text, separated by blanks, carriage returns, line
    // feeds and NULs, to parts (which it does not empty).
    static void DividePartFromSpace(CString text, CStringArray& parts);
    // Reads "number unit" (or "range number unit") and scales the number to
    // its base unit: V, A, Ohm, Hz or W. 1 with value and unit set; 0 with
    // message set when the text holds no token.
    static int Ge_Value_Unit(CString text, double& value, CString& unit, CString& message);

private:
    TD_SIGNALTYPE m_nStdSignalType = TD_SIGNAL_NONE;
    CString m_strActName;
    _TD_REF m_stdSignalRef;
    CString m_strMeasureInfo;

public:
    // Reached directly by hosts; nothing in the library reads them.
    CStdParameterTransfer m_stdParameterTransfer;
    CStdMeasure m_stdMeasure;

private:
    int m_nReserved = 0;
    CString m_strReserved1;
    CString m_strReserved2;
};

#include "platform/mfc/AfxExtEnd.h"
