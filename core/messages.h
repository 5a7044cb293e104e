#pragma once
// The refusal messages of the lists and the keypad.
#include <string_view>

#include "core/texts.h"

namespace core {

enum class MessageId { kNotAUnit, kNoTarget, kManyZeros };
enum class DialogKind { kError, kInformation };  // dtError / dtInformation, one OK button

struct Message {
  MessageId id;
  Language language;
  DialogKind kind;
  std::wstring_view text;
};

Message MessageFor(MessageId id, Language language);

}  // namespace core
