#include "facts/ProcessorTexts.h"

#include "facts/InfoFormat.h"
#include "facts/ProcessorFacts.h"
#include "facts/ProcessorLibrary.h"
#include "quelcore/QuelCore_Info.h"

ProcessorTexts MakeProcessorTexts(const ProcessorFacts& facts, ProcessorLibrary& library) {
    using namespace InfoFormat;
    ProcessorTexts texts;
    texts.Name = FieldText(facts.NameText.data(), facts.NameText.size());
    texts.Speed = ClockText(facts.SpeedMHz);
    texts.Type = TypeName(facts.TypeCode);
    texts.Family = CodeText(facts.FamilyCode);
    texts.Model = CodeText(facts.ModelCode);
    texts.Stepping = CodeText(facts.SteppingCode);
    texts.InstructionCache = CacheText(library.GetCPU_Caps(CacheCode::Instructions));
    texts.DataCache = CacheText(library.GetCPU_Caps(CacheCode::Data));
    texts.Level2Cache = CacheText(library.GetCPU_Caps(CacheCode::Level2));
    for (std::size_t entry = 0; entry < kFeatureEntries.size(); ++entry) {
        const FeatureEntry& feature = kFeatureEntries[entry];
        texts.Features[entry] = FeatureChecked(feature, library.GetCPU_Caps(feature.Code));
    }
    return texts;
}
