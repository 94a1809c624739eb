// What the boss-key and CD-tray pages share: where their hot-key pickers sit,
// what follows a save, and the record they show from their store.
#pragma once
#include <cstdint>

#include "common/RecordStore.h"
#include "common/win/HotKeyPicker.h"
#include "win/Dialog.h"

namespace settings_page {

// Row 0 at pixel (28, 55), row 1 at (28, 125), each 372 x 25 (at 96 DPI).
void PlacePicker(const CHotKeyPicker& picker, int row);
// After a successful save: "保存成功", then the frame reloads what the page
// wrote. A failed save says so.
void Saved(bool written, uint32_t reloadMessage);

}  // namespace settings_page

// A page that shows one record of a store: it reads the file as it is now
// (another program may have changed it), saves the record back through the
// store, whose holder then has it without reading the file again, and never
// ends itself.
template <class R>
class CRecordPage : public win::Dialog {
 protected:
  CRecordPage(int templateId, CRecordStore<R>& store, uint32_t reloadMessage)
      : Dialog(templateId), store_(store), reloadMessage_(reloadMessage) {}

  void ReadRecord() { record_ = store_.Read(); }
  // "保存成功" and the frame's reload, or the failure message.
  void SaveRecord() { settings_page::Saved(store_.Save(record_), reloadMessage_); }
  void OnCancel() override {}

  R record_;

 private:
  CRecordStore<R>& store_;
  uint32_t reloadMessage_;
};
