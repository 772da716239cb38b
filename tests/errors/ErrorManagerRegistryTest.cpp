// The registry of error managers: contexts, every entry state and how it is
// left, creation failures and the references the registry holds.
#include "ErrorsFixture.h"

#include "NUVBaseUnknown_WR.h"
#include "NUVCallbackManager.h"
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"

namespace {

class ErrorManagerRegistry : public ErrorsFixture {
 protected:
  struct State {
    bool exists = false;
    int retain = -1;
    int enable = -1;
    NUVISimErrorManager_var manager;
  };
  static State StateOf(NUVBaseUnknown* first, NUVBaseUnknown* second = nullptr) {
    State s;
    s.exists = PLMGetSimErrorManager::GetEntryState(first, second, s.retain, s.enable,
                                                    s.manager) == S_OK;
    return s;
  }
  static int LayoutCallbacks() {
    return NUVFrmLayout::GetCurrentLayout()->GetCallbackManager()->CountCallbacks();
  }
};

class Context : public NUVBaseUnknown {};

}  // namespace

TEST_F(ErrorManagerRegistry, SameContextsShareAManagerAndSecondContextsSeparate) {
  auto* refinement = new Context;
  Track(_Scene.Editor(), refinement);
  NUVISimErrorManager_var a = Manager(_Scene.Editor());
  NUVISimErrorManager_var b = Manager(_Scene.Editor());
  NUVISimErrorManager_var current = Manager();
  NUVISimErrorManager_var refined = Manager(_Scene.Editor(), refinement);
  NUVISimErrorManager_var refinedAgain = Manager(nullptr, refinement);
  ASSERT_TRUE(a);
  ASSERT_TRUE(refined);
  EXPECT_EQ(a.get(), b.get());
  EXPECT_EQ(a.get(), current.get()) << "a null first context is the current editor";
  EXPECT_NE(a.get(), refined.get()) << "another second context has its own manager";
  EXPECT_EQ(refined.get(), refinedAgain.get());
  EXPECT_TRUE(a->GetImpl()->IsA("NUVESimErrorManager"));

  NUVFrmEditor* other = _Scene.AddEditor();
  Track(other, nullptr);
  NUVISimErrorManager_var ofOther = Manager(other);
  EXPECT_NE(ofOther.get(), a.get()) << "another editor has its own manager";
  EXPECT_EQ(StateOf(_Scene.Editor()).manager.get(), a.get());
  refinement->Release();
}

TEST_F(ErrorManagerRegistry, NoContextAtAllChangesNothing) {
  NUVISimErrorManager_var kept = Manager();
  ASSERT_TRUE(kept);
  int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  NUVFrmEditor::SetCurrentEditor(nullptr);

  NUVISimErrorManager_var out = kept;
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, nullptr, nullptr), S_OK);
  EXPECT_EQ(out.get(), kept.get()) << "the out handle is left as it was";
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, 0, nullptr, nullptr), S_OK);
  EXPECT_EQ(out.get(), kept.get());
  EXPECT_EQ(PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::Remove(nullptr, nullptr), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
  EXPECT_TRUE(StateOf(_Scene.Editor()).manager) << "the editor's manager was not removed";
  NUVFrmEditor::SetCurrentEditor(_Scene.Editor());
}

TEST_F(ErrorManagerRegistry, GetWithoutCreationCreatesNothing) {
  NUVFrmEditor* other = _Scene.AddEditor();
  Track(other, nullptr);
  NUVISimErrorManager_var out = Manager(other);
  ASSERT_TRUE(out);
  int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, 0, _Scene.Editor(), nullptr), S_OK);
  EXPECT_FALSE(out) << "the out handle is set to null";
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
}

TEST_F(ErrorManagerRegistry, ManagedEntryIsRemovedAndItsManagerDisconnected) {
  const int callbacksBefore = LayoutCallbacks();
  NUVISimErrorManager_var manager = Manager();
  State s = StateOf(_Scene.Editor());
  EXPECT_TRUE(s.exists);
  EXPECT_EQ(s.retain, 0);
  EXPECT_EQ(s.enable, 1);
  EXPECT_EQ(s.manager.get(), manager.get());
  EXPECT_EQ(LayoutCallbacks(), callbacksBefore + 2) << "editor closing and window activation";

  NUVBaseUnknown_WR weak(manager->GetImpl());
  s.manager = nullptr;
  EXPECT_EQ(PLMGetSimErrorManager::Remove(nullptr, nullptr), S_OK);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
  EXPECT_EQ(LayoutCallbacks(), callbacksBefore) << "the removed manager no longer listens";
  EXPECT_TRUE(weak.IsAlive()) << "the caller's handle still holds it";
  manager = nullptr;
  EXPECT_FALSE(weak.IsAlive()) << "the registry gave its reference back";
  NUVISimErrorManager_var fresh = Manager();
  EXPECT_TRUE(fresh) << "the next Get creates a new manager";
}

TEST_F(ErrorManagerRegistry, RetainedEntrySurvivesRemoveUntilReleased) {
  PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr);
  State s = StateOf(_Scene.Editor());
  EXPECT_TRUE(s.exists) << "retaining a context without entry makes one";
  EXPECT_EQ(s.retain, 1);
  EXPECT_EQ(s.enable, 1);
  EXPECT_FALSE(s.manager);

  const int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  NUVISimErrorManager_var manager = Manager();
  ASSERT_TRUE(manager);
  s = StateOf(_Scene.Editor());
  EXPECT_EQ(s.retain, 1) << "the manager joins the retained entry";
  EXPECT_EQ(s.manager.get(), manager.get());
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries) << "no second entry";

  PLMGetSimErrorManager::Remove(nullptr, nullptr);
  EXPECT_EQ(Manager().get(), manager.get()) << "a retained manager stays in place";
  PLMGetSimErrorManager::SetRetain(0, nullptr, nullptr);
  s = StateOf(_Scene.Editor());
  EXPECT_TRUE(s.exists) << "an entry with a manager stays when no longer retained";
  EXPECT_EQ(s.retain, 0);
  s.manager = nullptr;
  PLMGetSimErrorManager::Remove(nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
}

TEST_F(ErrorManagerRegistry, RetainedEmptyEntryGoesWhenNoLongerRetained) {
  PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr);
  PLMGetSimErrorManager::SetRetain(0, nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
  PLMGetSimErrorManager::SetRetain(0, nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists) << "releasing makes no entry";
}

TEST_F(ErrorManagerRegistry, DisabledContextYieldsNoManagerUntilEnabled) {
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  State s = StateOf(_Scene.Editor());
  EXPECT_TRUE(s.exists);
  EXPECT_EQ(s.retain, 0);
  EXPECT_EQ(s.enable, 0);
  EXPECT_FALSE(s.manager);
  int entries = PLMGetSimErrorManager::GetNumberOfEntries();

  NUVISimErrorManager_var out;
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, 1, nullptr, nullptr), S_OK);
  EXPECT_FALSE(out) << "a disabled context gets no manager, even with creation";
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
  EXPECT_FALSE(StateOf(_Scene.Editor()).manager);

  PLMGetSimErrorManager::SetEnable(1, nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists) << "enabling forgets an empty entry";
  EXPECT_TRUE(Manager()) << "the next Get creates";
}

TEST_F(ErrorManagerRegistry, DisabledEntryKeepsItsManagerHidden) {
  NUVISimErrorManager_var manager = Manager();
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  State s = StateOf(_Scene.Editor());
  EXPECT_EQ(s.enable, 0);
  EXPECT_EQ(s.manager.get(), manager.get()) << "disabling keeps the manager";
  EXPECT_FALSE(Manager()) << "but Get does not return it";
  NUVISimErrorManager_var out = manager;
  PLMGetSimErrorManager::Get(out, 0, nullptr, nullptr);
  EXPECT_FALSE(out);

  PLMGetSimErrorManager::SetEnable(1, nullptr, nullptr);
  EXPECT_EQ(Manager().get(), manager.get()) << "enabled again, the same manager comes back";

  // Disabled with a manager and not retained: Remove takes the manager.
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  PLMGetSimErrorManager::Remove(nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
}

TEST_F(ErrorManagerRegistry, RetainedAndDisabledEntry) {
  PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr);
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  State s = StateOf(_Scene.Editor());
  EXPECT_EQ(s.retain, 1);
  EXPECT_EQ(s.enable, 0);
  PLMGetSimErrorManager::SetEnable(1, nullptr, nullptr);
  s = StateOf(_Scene.Editor());
  EXPECT_TRUE(s.exists) << "a retained empty entry stays when enabled";
  EXPECT_EQ(s.enable, 1);
  PLMGetSimErrorManager::SetRetain(0, nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);

  // Disabled without manager: Remove forgets it whatever the retain flag.
  PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr);
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  PLMGetSimErrorManager::Remove(nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
}

TEST_F(ErrorManagerRegistry, RemoveOfAContextOnlyDisabledForgetsTheDisabling) {
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  PLMGetSimErrorManager::Remove(nullptr, nullptr);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
  EXPECT_TRUE(Manager()) << "the context gets managers again";
  PLMGetSimErrorManager::Remove(nullptr, nullptr);
  PLMGetSimErrorManager::Remove(nullptr, nullptr);  // nothing left to remove
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
}

TEST_F(ErrorManagerRegistry, RemoveManagerOfAnUnknownManagerChangesNothing) {
  NUVISimErrorManager_var registered = Manager();
  void* raw = nullptr;
  ASSERT_EQ(NUVInstantiateComponent("NUVSimErrorManager", IID_NUVISimErrorManager, &raw), S_OK);
  NUVISimErrorManager_var stray;
  stray.Attach(static_cast<NUVISimErrorManager*>(static_cast<NUVBaseUnknown*>(raw)));
  int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  EXPECT_EQ(PLMGetSimErrorManager::RemoveManager(stray), S_OK);
  NUVISimErrorManager_var none;
  EXPECT_EQ(PLMGetSimErrorManager::RemoveManager(none), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
  EXPECT_EQ(Manager().get(), registered.get());

  EXPECT_EQ(PLMGetSimErrorManager::RemoveManager(registered), S_OK);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists) << "the flags go with the manager's entry";
}

TEST_F(ErrorManagerRegistry, FailedCreationLeavesOutNullAndRegistryUnchanged) {
  struct Failing {
    static NUVBaseUnknown* Nothing() { return nullptr; }
    static NUVBaseUnknown* WithoutInterface() { return new Context; }
  };
  NUVFrmEditor* other = _Scene.AddEditor();
  Track(other, nullptr);
  NUVISimErrorManager_var out = Manager(other);
  int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  // A later registration under the same name wins until it is taken away.
  NUVFillDictionary::RegisterFunctionCreation("NUVSimErrorManager", &Failing::Nothing,
                                              "ErrorTests");
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, nullptr, nullptr), E_FAIL);
  EXPECT_FALSE(out);
  EXPECT_FALSE(StateOf(_Scene.Editor()).exists);
  NUVDictionary::UnregisterLibrary("ErrorTests");

  NUVFillDictionary::RegisterFunctionCreation("NUVSimErrorManager", &Failing::WithoutInterface,
                                              "ErrorTests");
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, nullptr, nullptr), E_NOINTERFACE);
  EXPECT_FALSE(out);
  NUVDictionary::UnregisterLibrary("ErrorTests");
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);

  // A retained entry keeps no manager from a failed creation either.
  PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr);
  NUVFillDictionary::RegisterFunctionCreation("NUVSimErrorManager", &Failing::Nothing,
                                              "ErrorTests");
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, nullptr, nullptr), E_FAIL);
  NUVDictionary::UnregisterLibrary("ErrorTests");
  EXPECT_FALSE(StateOf(_Scene.Editor()).manager);
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, nullptr, nullptr), S_OK);
  EXPECT_TRUE(out) << "with the creation function back, the manager is created";
}

TEST_F(ErrorManagerRegistry, EntriesHoldOneReferenceOnEachContextAndManager) {
  NUVFrmEditor* editor = _Scene.Editor();
  auto* second = new Context;
  Track(editor, second);
  const unsigned long editorRefs = editor->GetRefCount();
  const unsigned long secondRefs = second->GetRefCount();
  NUVISimErrorManager_var manager = Manager(editor, second);
  EXPECT_EQ(second->GetRefCount(), secondRefs + 1);
  EXPECT_EQ(editor->GetRefCount(), editorRefs + 1);
  EXPECT_EQ(manager->GetImpl()->GetRefCount(), 2u) << "the registry's and ours";
  PLMGetSimErrorManager::Remove(editor, second);
  EXPECT_EQ(second->GetRefCount(), secondRefs);
  EXPECT_EQ(editor->GetRefCount(), editorRefs);
  EXPECT_EQ(manager->GetImpl()->GetRefCount(), 1u);
  second->Release();
}

TEST_F(ErrorManagerRegistry, ManagersComeFromTheDictionaryThroughTheirTie) {
  const NUVMetaClass* meta = NUVDictionary::FindMetaClass("NUVESimErrorManager");
  ASSERT_NE(meta, nullptr);
  ASSERT_NE(meta->GetParent(), nullptr);
  EXPECT_STREQ(meta->GetParent()->GetClassName(), "NUVISimErrorManager");
  EXPECT_STREQ(meta->GetLibraryName(), "Velloran");
  EXPECT_NE(NUVDictionary::FindInterface("NUVESimErrorManager", "NUVISimErrorManager"), nullptr);

  NUVISimErrorManager_var manager = Manager();
  EXPECT_EQ(manager->GetMetaObject()->GetKind(), NUVMetaClass::Tie);
  NUVBaseUnknown* impl = manager->GetImpl();
  NUVISimErrorManager_var again(impl);
  EXPECT_EQ(again.get(), manager.get()) << "querying the object finds the same TIE, not itself";
  EXPECT_NE(static_cast<void*>(again.get()), static_cast<void*>(impl));
  int count = -1;
  EXPECT_EQ(again->GetNumberOfErrors(count), S_OK);
  EXPECT_EQ(count, 0);
}
