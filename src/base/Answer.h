#pragma once
// The answer to a Yes/No question, or that the program was asked to end (logout,
// shutdown, kill) while the question was open: then nobody answered, and the work the
// question was about is not done, whatever No would have done.

namespace tankeli {

enum class Answer { Yes, No, Ending };

} // namespace tankeli
