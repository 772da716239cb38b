// The registry of error managers: contexts, every entry state and how it is
// left, creation failures and the references the registry holds.
#include "ErrorsFixture.h"

#include <string>

#include "NUVBaseUnknown_WR.h"
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"

namespace {

class ErrorManagerRegistry : public ErrorsFixture {
 protected:
  // "-" when the context has no entry, else "<retain><enable>" and "M" when
  // the entry holds a manager.
  static std::string StateOf(NUVBaseUnknown* first, NUVBaseUnknown* second = nullptr) {
    int retain = -1, enable = -1;
    NUVISimErrorManager_var manager;
    if (PLMGetSimErrorManager::GetEntryState(first, second, retain, enable, manager) != S_OK) {
      return "-";
    }
    return std::to_string(retain) + std::to_string(enable) + (manager ? "M" : "");
  }
};

class Context : public NUVBaseUnknown {};

// Operations on the current editor's context, then its entry and what each
// Get gave: "-" for null, else a letter per distinct manager.
struct Steps {
  const char* ops;  // G/g Get with/without creation, R/r SetRetain(1/0),
                    // E/e SetEnable(1/0), X Remove
  const char* gets;
  const char* state;
};

class RegistryEntryStates : public ErrorManagerRegistry,
                            public ::testing::WithParamInterface<Steps> {};

}  // namespace

TEST_P(RegistryEntryStates, OperationsLeadToTheEntryState) {
  const Steps& row = GetParam();
  std::vector<NUVISimErrorManager_var> seen;  // kept alive: addresses stay distinct
  std::string gets;
  for (const char* op = row.ops; *op; ++op) {
    NUVISimErrorManager_var out;
    switch (*op) {
      case 'G': case 'g':
        EXPECT_EQ(PLMGetSimErrorManager::Get(out, *op == 'G', nullptr, nullptr), S_OK);
        if (out) {
          size_t i = 0;
          while (i < seen.size() && seen[i].get() != out.get()) ++i;
          if (i == seen.size()) seen.push_back(out);
        }
        gets += out ? static_cast<char>('a' + (seen.size() - 1)) : '-';
        break;
      case 'R': case 'r': PLMGetSimErrorManager::SetRetain(*op == 'R', nullptr, nullptr); break;
      case 'E': case 'e': PLMGetSimErrorManager::SetEnable(*op == 'E', nullptr, nullptr); break;
      case 'X': EXPECT_EQ(PLMGetSimErrorManager::Remove(nullptr, nullptr), S_OK); break;
    }
  }
  EXPECT_EQ(gets, row.gets);
  EXPECT_EQ(StateOf(_Scene.Editor()), row.state);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryEntryStates,
    ::testing::Values(
        Steps{"G", "a", "01M"}, Steps{"GG", "aa", "01M"}, Steps{"GXG", "ab", "01M"},
        Steps{"g", "-", "-"}, Steps{"Gg", "aa", "01M"},
        // Retained: Remove leaves the manager until no longer retained.
        Steps{"R", "", "11"}, Steps{"RG", "a", "11M"}, Steps{"RGXG", "aa", "11M"},
        Steps{"RGr", "a", "01M"}, Steps{"RGrX", "a", "-"}, Steps{"Rr", "", "-"},
        Steps{"r", "", "-"},
        // Disabled: no manager, even with creation, until enabled again.
        Steps{"e", "", "00"}, Steps{"eGg", "--", "00"}, Steps{"eE", "", "-"},
        Steps{"eEG", "a", "01M"}, Steps{"GeGEG", "a-a", "01M"}, Steps{"GeX", "a", "-"},
        Steps{"eX", "", "-"}, Steps{"eXG", "a", "01M"}, Steps{"XX", "", "-"},
        // Retained and disabled.
        Steps{"Re", "", "10"}, Steps{"ReE", "", "11"}, Steps{"ReEr", "", "-"},
        Steps{"ReX", "", "-"}, Steps{"RGeX", "a", "10M"}),
    [](const ::testing::TestParamInfo<Steps>& info) { return std::string(info.param.ops); });

TEST_F(ErrorManagerRegistry, ContextsAreComparedByIdentityAndANullFirstIsTheCurrentEditor) {
  auto* refinement = new Context;
  Track(_Scene.Editor(), refinement);
  NUVISimErrorManager_var a = Manager(_Scene.Editor());
  NUVISimErrorManager_var refined = Manager(_Scene.Editor(), refinement);
  refinement->Release();
  EXPECT_EQ(Manager().get(), a.get()) << "a null first context is the current editor";
  EXPECT_NE(a.get(), refined.get()) << "another second context has its own manager";
  EXPECT_EQ(Manager(nullptr, refinement).get(), refined.get());
  NUVFrmEditor* other = _Scene.AddEditor();
  Track(other, nullptr);
  EXPECT_NE(Manager(other).get(), a.get()) << "another editor has its own manager";

  // No context at all: nothing happens and the out handle stays as it was.
  const int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  NUVFrmEditor::SetCurrentEditor(nullptr);
  NUVISimErrorManager_var out = a;
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, nullptr, nullptr), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::Get(out, 0, nullptr, nullptr), S_OK);
  EXPECT_EQ(out.get(), a.get());
  PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr);
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  PLMGetSimErrorManager::Remove(nullptr, nullptr);
  NUVFrmEditor::SetCurrentEditor(_Scene.Editor());
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
  EXPECT_EQ(StateOf(_Scene.Editor()), "01M");
}

TEST_F(ErrorManagerRegistry, RemovedManagerIsDisconnectedAndItsReferencesGiven) {
  auto* second = new Context;
  NUVFrmEditor* editor = _Scene.Editor();
  Track(editor, second);
  const unsigned long editorRefs = editor->GetRefCount(), secondRefs = second->GetRefCount();
  NUVISimErrorManager_var manager = Manager(editor, second);
  EXPECT_EQ(second->GetRefCount(), secondRefs + 1);
  EXPECT_EQ(editor->GetRefCount(), editorRefs + 1);
  EXPECT_EQ(manager->GetImpl()->GetRefCount(), 2u) << "the registry's and ours";
  EXPECT_EQ(NUVISimErrorManager_var(manager->GetImpl()).get(), manager.get())
      << "querying the object finds the same TIE, not the object itself";

  // An unknown manager or none: nothing happens.
  void* raw = nullptr;
  ASSERT_EQ(NUVInstantiateComponent("NUVSimErrorManager", IID_NUVISimErrorManager, &raw), S_OK);
  NUVISimErrorManager_var stray, none;
  stray.Attach(static_cast<NUVISimErrorManager*>(static_cast<NUVBaseUnknown*>(raw)));
  EXPECT_EQ(PLMGetSimErrorManager::RemoveManager(stray), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::RemoveManager(none), S_OK);
  EXPECT_EQ(StateOf(editor, second), "01M");

  NUVBaseUnknown_WR weak(manager->GetImpl());
  PLMGetSimErrorManager::SetRetain(1, editor, second);
  EXPECT_EQ(PLMGetSimErrorManager::RemoveManager(manager), S_OK);
  EXPECT_EQ(StateOf(editor, second), "-") << "the flags go with the manager's entry";
  EXPECT_EQ(second->GetRefCount(), secondRefs);
  EXPECT_EQ(editor->GetRefCount(), editorRefs);
  manager = nullptr;
  EXPECT_FALSE(weak.IsAlive()) << "the registry gave its reference back";
  second->Release();
}

TEST_F(ErrorManagerRegistry, FailedCreationLeavesOutNullAndRegistryUnchanged) {
  struct Failing {
    static NUVBaseUnknown* Nothing() { return nullptr; }
    static NUVBaseUnknown* WithoutInterface() { return new Context; }
  };
  NUVFrmEditor* other = _Scene.AddEditor();
  Track(other, nullptr);
  NUVISimErrorManager_var ofOther = Manager(other);
  PLMGetSimErrorManager::SetRetain(1, nullptr, nullptr);  // an entry without manager
  const int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  for (auto create : {&Failing::Nothing, &Failing::WithoutInterface}) {
    NUVISimErrorManager_var out = ofOther;  // set to null by the failure
    // A later registration under the same name wins until it is taken away.
    NUVFillDictionary::RegisterFunctionCreation("NUVSimErrorManager", create, "ErrorTests");
    EXPECT_EQ(PLMGetSimErrorManager::Get(out, nullptr, nullptr),
              create == &Failing::Nothing ? E_FAIL : E_NOINTERFACE);
    NUVDictionary::UnregisterLibrary("ErrorTests");
    EXPECT_FALSE(out);
    EXPECT_EQ(StateOf(_Scene.Editor()), "11") << "the entry got no manager";
    EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries) << "and no entry was added";
  }
  EXPECT_TRUE(Manager()) << "with the creation function back, the manager is created";
}
