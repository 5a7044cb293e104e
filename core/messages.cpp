#include "core/messages.h"

namespace core {

Message MessageFor(MessageId id, Language language) {
  const LanguageTexts& texts = TextsFor(language);
  switch (id) {
    case MessageId::kNotAUnit: return {id, language, DialogKind::kError, texts.notAUnitMessage};
    case MessageId::kNoTarget: return {id, language, DialogKind::kInformation, texts.noTargetMessage};
    case MessageId::kManyZeros: break;
  }
  return {MessageId::kManyZeros, language, DialogKind::kError, kManyZerosMessage};
}

}  // namespace core
