// GetPathElement: the object's path from the top, completed from the model
// paths of the top object's representation under the editor's active object.
#include <gtest/gtest.h>

#include <string>

#include "NUV3DBagRep.h"
#include "NUVFrmEditor.h"
#include "NUVPLMOccurrence.h"
#include "NUVPathElement.h"
#include "NUVSimVizServices.h"

namespace {

std::string Names(NUVPathElement* path) {
  std::string names;
  path->InitToTopElement();
  while (NUVBaseUnknown* o = path->NextChildElement())
    names += NUVIPLMNavOccurrence_var(o)->GetName().Std();
  return names;
}

TEST(PathElement, CompletesThePathLeafFirstFromTheFirstModelPathHoldingTheActiveObject) {
  // R holds X; R's representation: A (A1, A2), an unnamed bag (Z), B. Model
  // paths in scratch order: A A1 (the walk's own path), B, A A2.
  auto* root = new NUVPLMOccurrence("R");
  auto* x = new NUVPLMOccurrence("X");
  root->AddChild(x);
  NUVPLMOccurrence* ids[5];
  NUV3DRep* reps[5];
  const char* names[5] = {"A", "1", "2", "B", "Z"};
  for (int i = 0; i < 5; ++i) {
    ids[i] = new NUVPLMOccurrence(names[i]);
    reps[i] = i == 0 ? new NUV3DBagRep : new NUV3DRep;
    reps[i]->GetModelIdentificator().SetId(ids[i]);
  }
  auto* top = new NUV3DBagRep;
  auto* unnamed = new NUV3DBagRep;
  static_cast<NUV3DBagRep*>(reps[0])->AddChild(reps[1]);
  static_cast<NUV3DBagRep*>(reps[0])->AddChild(reps[2]);
  unnamed->AddChild(reps[4]);
  top->AddChild(reps[0]);
  top->AddChild(unnamed);
  top->AddChild(reps[3]);
  root->SetRep(top);

  NUVFrmEditor* former = NUVFrmEditor::GetCurrentEditor();
  if (former) former->AddRef();
  auto* editor = new NUVFrmEditor;
  NUVBaseUnknown_var object(x);
  NUVPathElement* path = nullptr;
  EXPECT_EQ(NUVSimVizServices::GetPathElement(object, nullptr), E_FAIL);
  NUVBaseUnknown_var stranger(top);
  EXPECT_EQ(NUVSimVizServices::GetPathElement(stranger, &path), E_FAIL);
  EXPECT_EQ(path, nullptr);

  NUVFrmEditor::SetCurrentEditor(nullptr);
  std::string results;
  for (NUVBaseUnknown* active : {static_cast<NUVBaseUnknown*>(nullptr),  // no editor
                                 static_cast<NUVBaseUnknown*>(ids[2]), static_cast<NUVBaseUnknown*>(ids[0]),
                                 static_cast<NUVBaseUnknown*>(ids[3]), static_cast<NUVBaseUnknown*>(ids[4])}) {
    if (active) {
      NUVFrmEditor::SetCurrentEditor(editor);
      editor->GetActivePath() = NUVPathElement(active);
    }
    path = nullptr;
    ASSERT_EQ(NUVSimVizServices::GetPathElement(object, &path), S_OK);
    results += Names(path) + " ";
    path->Release();
  }
  EXPECT_EQ(results, "RX RX2A RX1A RXB RX ") << "Z sits under a representation without id";
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(ids[i]->GetRefCount(), i == 4 ? 2u : 1u) << "no model path outlives the call";

  NUVFrmEditor::SetCurrentEditor(former);
  if (former) former->Release();
  editor->Release();
  root->Release();
  x->Release();
  top->Release();
  unnamed->Release();
  for (int i = 0; i < 5; ++i) {
    reps[i]->Release();
    ids[i]->Release();
  }
}

}  // namespace
