#pragma once

// What a modal message box shows and what the user answers, without any
// toolkit: the run's logic names them, the dialogs on the desktop show them.
namespace MessageBox {

enum class Icon { Critical, Question, Information };
enum class Buttons { OK, OKCancel };
enum class Answer { OK, Cancel };

} // namespace MessageBox
