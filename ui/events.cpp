// Which handler runs for which event of which control.
#include "ui/events.h"

#include "profiles/profiles.h"
#include "scan/scan.h"
#include "ui/behaviours.h"
#include "wol/send.h"

void DispatchEvent(Ctl control, UiEvent event) {
    switch (event) {
        case UiEvent::Clicked:
            switch (control) {
                case Ctl::按钮_添加: return AddProfile();
                case Ctl::按钮_更改: return ChangeProfile();
                case Ctl::按钮_删除: return DeleteProfile();
                case Ctl::按钮2: return ToggleHelpPanel();
                case Ctl::单选框_内网: return ApplyNetworkMode();
                case Ctl::单选框_外网: return ApplyNetworkMode();
                case Ctl::按钮1: return SendCommand();
                case Ctl::按钮4: return ScanCommand();
                case Ctl::按钮5: return StopScan();
                default: return;
            }
        case UiEvent::ItemPicked:
            if (control == Ctl::组合框_配置信息) {
                ShowSelectedProfile();
            }
            return;
        case UiEvent::PageChanged:
            if (control == Ctl::选择夹1) {
                ApplyTabPage();
            }
            return;
        case UiEvent::CurrentRowChanged:
            if (control == Ctl::超级列表框1) {
                ShowSelectedHost();
            }
            return;
    }
}
