#include "game/flow/pack_button.h"

#include "game/flow/menu_objects.h"
#include "gui/widgets/qc_image_button.h"

PACK_BUTTON::~PACK_BUTTON() {
  MENU_OBJECTS::DeleteButton(button);
  MENU_OBJECTS::DeleteSprite(back);
}

bool PACK_BUTTON::isLocked() const { return button != nullptr && button->fGetState() == 4; }
