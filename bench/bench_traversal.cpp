// Walks of an occurrence tree: the platform's traverser with one visitor
// that only counts, and the traversal service with its classifying visitor,
// each beside the floor, a bare recursive walk of the same tree through the
// same navigation interface. Trees of N occurrences, 10 children per inner
// node, every leaf with a representation of visible geometry; the complexity
// fit says whether the cost grows linearly with N.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "NUV3DRep.h"
#include "NUVDictionary.h"
#include "NUVISimTraversalVisitor.h"
#include "NUVISimTraverser.h"
#include "NUVPLMOccurrence.h"
#include "NUVSimVizServices.h"

namespace {

// Breadth first, so that the tree is as full as N allows.
NUVPLMOccurrence* BuildTree(int n) {
  auto* root = new NUVPLMOccurrence("root");
  std::vector<NUVPLMOccurrence*> all{root};
  for (int i = 1; i < n; ++i) {
    auto* o = new NUVPLMOccurrence("o");
    all[(i - 1) / 10]->AddChild(o);
    o->Release();
    all.push_back(o);
  }
  for (NUVPLMOccurrence* o : all) {
    if (o->GetChildCount()) continue;
    auto* rep = new NUV3DRep;
    rep->SetBoundingElement(NUV3DBoundingSphere(0.f, 0.f, 0.f, 1.f, 1));
    o->SetRep(rep);
    rep->Release();
  }
  return root;
}

class CountingVisitor : public NUVISimTraversalVisitor {
 public:
  long PreOrder(const NUVBaseUnknown_var&, TraversalStatus& status) override {
    ++count;
    status = ContinueTraversal;
    return S_OK;
  }
  long PostOrder(const NUVBaseUnknown_var&, TraversalStatus&, unsigned char leaf) override {
    leaves += leaf;
    return S_OK;
  }
  long Init() override {
    count = leaves = 0;
    return S_OK;
  }
  long count = 0;
  long leaves = 0;
};

void BareWalk(NUVIPLMNavOccurrence* o, long& count, long& leaves) {
  ++count;
  int children = o->GetChildCount();
  for (int i = 0; i < children; ++i) BareWalk(o->GetChild(i), count, leaves);
  leaves += children == 0;
}

void BM_Floor_BareRecursiveWalk(benchmark::State& state) {
  NUVPLMOccurrence* root = BuildTree(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    long count = 0, leaves = 0;
    BareWalk(root, count, leaves);
    benchmark::DoNotOptimize(count);
    benchmark::DoNotOptimize(leaves);
  }
  state.SetComplexityN(state.range(0));
  root->Release();
}

void BM_TraverserWalk(benchmark::State& state) {
  NUVPLMOccurrence* root = BuildTree(static_cast<int>(state.range(0)));
  NUVISimTraverser* raw = nullptr;
  NUVInstantiateComponent("NUVSimOccurrenceTraverser", IID_NUVISimTraverser,
                          reinterpret_cast<void**>(&raw));
  NUVISimTraverser_var traverser;
  traverser.Attach(raw);
  auto* visitor = new CountingVisitor;
  NUVListValNUVBaseUnknown_var visitors;
  visitors.Append(NUVBaseUnknown_var(visitor));
  traverser->SetVisitors(visitors);
  NUVBaseUnknown_var from(root);
  for (auto _ : state) {
    int status = 0;
    traverser->Traverse(from, status);
    benchmark::DoNotOptimize(visitor->count);
  }
  if (visitor->count != state.range(0)) state.SkipWithError("the walk missed occurrences");
  state.SetComplexityN(state.range(0));
  traverser = nullptr;
  visitor->Release();
  root->Release();
}

void BM_GetAllVizOccurrenceDescendants(benchmark::State& state) {
  NUVPLMOccurrence* root = BuildTree(static_cast<int>(state.range(0)));
  NUVBaseUnknown_var from(root);
  NUVListValNUVBaseUnknown_var nonTerminals, terminals;
  for (auto _ : state) {
    NUVSimVizServices::GetAllVizOccurrenceDescendants(from, nonTerminals, terminals, 1, 1);
    benchmark::DoNotOptimize(terminals.Size());
  }
  if (nonTerminals.Size() + terminals.Size() != state.range(0))
    state.SkipWithError("the service missed occurrences");
  state.SetComplexityN(state.range(0));
  root->Release();
}

// The traverser's walk and the bare walk in turns within each iteration, so
// that a busy machine slows both alike: counters give each one's mean time
// per walk and their ratio.
void BM_TraverserOverBareWalk(benchmark::State& state) {
  NUVPLMOccurrence* root = BuildTree(static_cast<int>(state.range(0)));
  NUVISimTraverser* raw = nullptr;
  NUVInstantiateComponent("NUVSimOccurrenceTraverser", IID_NUVISimTraverser,
                          reinterpret_cast<void**>(&raw));
  NUVISimTraverser_var traverser;
  traverser.Attach(raw);
  auto* visitor = new CountingVisitor;
  NUVListValNUVBaseUnknown_var visitors;
  visitors.Append(NUVBaseUnknown_var(visitor));
  traverser->SetVisitors(visitors);
  NUVBaseUnknown_var from(root);
  using Clock = std::chrono::steady_clock;
  Clock::duration bare{}, walk{};
  for (auto _ : state) {
    Clock::time_point t0 = Clock::now();
    long count = 0, leaves = 0;
    BareWalk(root, count, leaves);
    benchmark::DoNotOptimize(count);
    benchmark::DoNotOptimize(leaves);
    Clock::time_point t1 = Clock::now();
    int status = 0;
    traverser->Traverse(from, status);
    benchmark::DoNotOptimize(visitor->count);
    Clock::time_point t2 = Clock::now();
    bare += t1 - t0;
    walk += t2 - t1;
  }
  double n = static_cast<double>(state.iterations());
  state.counters["bare_us"] = std::chrono::duration<double, std::micro>(bare).count() / n;
  state.counters["traverser_us"] = std::chrono::duration<double, std::micro>(walk).count() / n;
  state.counters["ratio"] = std::chrono::duration<double>(walk) / std::chrono::duration<double>(bare);
  traverser = nullptr;
  visitor->Release();
  root->Release();
}
BENCHMARK(BM_TraverserOverBareWalk)->Arg(100000);

#define TRAVERSAL_SIZES RangeMultiplier(2)->Range(12500, 100000)->Complexity(benchmark::oN)
BENCHMARK(BM_Floor_BareRecursiveWalk)->TRAVERSAL_SIZES;
BENCHMARK(BM_TraverserWalk)->TRAVERSAL_SIZES;
BENCHMARK(BM_GetAllVizOccurrenceDescendants)->TRAVERSAL_SIZES;

}  // namespace
