#include "app/options.h"

namespace App {

Options Given;

}  // namespace App
