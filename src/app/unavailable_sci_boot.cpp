#include "app/unavailable_sci_boot.h"

namespace lumetra::app {

void UnavailableSciBoot::run()
{
    prompts_.showMessage(MessageIcon::Error, kSciBootUnavailableMessage);
}

} // namespace lumetra::app
