#include "ToolBarResource.h"

#include "EditorIds.h"

const ToolBarResource* ToolBarResource::Find(int id) {
    using namespace EditorIds;
    static const ToolBarResource kToolBars[] = {
        {IDR_TOOLBAR,
         QSize(24, 24),
         IDR_TOOLBAR,
         {ID_FILE_NEW_LIST, kSeparator, ID_FILE_ADD_FILE, kSeparator, ID_FILE_REMOVE_FILE,
          kSeparator, ID_TOOLBAR_SAVE_FILE, kSeparator, ID_HELP_ABOUT}},
    };
    for (const ToolBarResource& toolBar : kToolBars) {
        if (toolBar.id == id) {
            return &toolBar;
        }
    }
    return nullptr;
}
