#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalClasses.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdConstantSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdInstantaneous.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfACSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfAMSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDCSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDMEInterrogation.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDMEResponse.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalParallel.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalSerial.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfFMSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSGlideSlope.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSLocalizer.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSMarker.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPMSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedACSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedACTrain.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedDCSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedDCTrain.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRS232.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRadarRXSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRadarTXSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRampSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSinusoidSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSquareWaveSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfTriangularWaveSignal.h"

namespace {
template <class S>
SignalClass ClassOf(TD_SIGNALTYPE type) {
    return {type, []() -> CStdSignal* { return new S; },
            [](const CStdSignal& signal) { return dynamic_cast<const S*>(&signal) != nullptr; },
            &AttributeTableOf<S>};
}

const std::vector<SignalClass>& SignalClasses() {
    static const std::vector<SignalClass> classes{
        ClassOf<CTsfDCSignal>(TD_SIGNAL_DC),
        ClassOf<CTsfACSignal>(TD_SIGNAL_AC),
        ClassOf<CTsfTriangularWaveSignal>(TD_SIGNAL_TRIANGULAR_WAVE),
        ClassOf<CTsfSquareWaveSignal>(TD_SIGNAL_SQUARE_WAVE),
        ClassOf<CTsfRS232>(TD_SIGNAL_RS232),
        ClassOf<CTsfAMSignal>(TD_SIGNAL_AM),
        ClassOf<CTsfFMSignal>(TD_SIGNAL_FM),
        ClassOf<CTsfPMSignal>(TD_SIGNAL_PM),
        ClassOf<CTsfDigitalParallel>(TD_SIGNAL_DIGITAL_PARALLEL),
        ClassOf<CTsfDigitalSerial>(TD_SIGNAL_DIGITAL_SERIAL),
        ClassOf<CTsfDMEInterrogation>(TD_SIGNAL_DME_INTERROGATION),
        ClassOf<CTsfDMEResponse>(TD_SIGNAL_DME_RESPONSE),
        ClassOf<CTsfILSGlideSlope>(TD_SIGNAL_ILS_GLIDE_SLOPE),
        ClassOf<CTsfILSLocalizer>(TD_SIGNAL_ILS_LOCALIZER),
        ClassOf<CTsfILSMarker>(TD_SIGNAL_ILS_MARKER),
        ClassOf<CTsfPulsedACSignal>(TD_SIGNAL_PULSED_AC),
        ClassOf<CTsfPulsedACTrain>(TD_SIGNAL_PULSED_AC_TRAIN),
        ClassOf<CTsfPulsedDCSignal>(TD_SIGNAL_PULSED_DC),
        ClassOf<CTsfPulsedDCTrain>(TD_SIGNAL_PULSED_DC_TRAIN),
        ClassOf<CTsfRadarRXSignal>(TD_SIGNAL_RADAR_RX),
        ClassOf<CTsfRadarTXSignal>(TD_SIGNAL_RADAR_TX),
        ClassOf<CTsfRampSignal>(TD_SIGNAL_RAMP),
        ClassOf<CStdInstantaneous>(TD_SIGNAL_RESISTANCE),
        ClassOf<CTsfSinusoidSignal>(TD_SIGNAL_SINUSOID),
        ClassOf<CStdConstantSignal>(TD_SIGNAL_CONSTANT),
    };
    return classes;
}
}  // namespace

const SignalClass* FindSignalClass(TD_SIGNALTYPE type) {
    for (const SignalClass& signalClass : SignalClasses())
        if (signalClass.type == type) return &signalClass;
    return nullptr;
}

const SignalClass* FindSignalClassByText(const CString& text) {
    // The vocabulary reads an unknown text as the DC signal: check the way back.
    const SignalClass* signalClass = FindSignalClass(CStdSignal::GetSignalType(text));
    return signalClass && CStdSignal::GetSignalType(signalClass->type) == text ? signalClass : nullptr;
}
