// The property library (libfluidcore.so), loaded by name at run time from the
// program's folder (datafiles::ProgramFolder: the running program's, or that
// of the Python module that links the layer), on the first request that
// needs it, by whichever thread makes it; every thread then calls the same
// library.
// A missing library or entry point fails the request with a message that
// names it; it never crashes the program.
#pragma once

#include <string>
#include <string_view>

#include "fluidcore/entry_points.h"
#include "fluidcore/failure.h"
#include "property/layer_state.h"

namespace property {

template <typename Fn>
struct EntryPoint {
  const char* name;
  Fn* call = nullptr;
};

// Every entry point the layer calls.
struct EntryPoints {
  EntryPoint<decltype(::SETUPdll)> SETUPdll{"SETUPdll"};
  EntryPoint<decltype(::WMOLdll)> WMOLdll{"WMOLdll"};
  EntryPoint<decltype(::CRITPdll)> CRITPdll{"CRITPdll"};
  EntryPoint<decltype(::LIMITSdll)> LIMITSdll{"LIMITSdll"};
  EntryPoint<decltype(::THERMdll)> THERMdll{"THERMdll"};
  EntryPoint<decltype(::SATTdll)> SATTdll{"SATTdll"};
  EntryPoint<decltype(::SATPdll)> SATPdll{"SATPdll"};
  EntryPoint<decltype(::SATDdll)> SATDdll{"SATDdll"};
  EntryPoint<decltype(::TPFLSHdll)> TPFLSHdll{"TPFLSHdll"};
  EntryPoint<decltype(::TDFLSHdll)> TDFLSHdll{"TDFLSHdll"};
  EntryPoint<decltype(::THFLSHdll)> THFLSHdll{"THFLSHdll"};
  EntryPoint<decltype(::TSFLSHdll)> TSFLSHdll{"TSFLSHdll"};
  EntryPoint<decltype(::TEFLSHdll)> TEFLSHdll{"TEFLSHdll"};
  EntryPoint<decltype(::TQFLSHdll)> TQFLSHdll{"TQFLSHdll"};
  EntryPoint<decltype(::PDFLSHdll)> PDFLSHdll{"PDFLSHdll"};
  EntryPoint<decltype(::PHFLSHdll)> PHFLSHdll{"PHFLSHdll"};
  EntryPoint<decltype(::PSFLSHdll)> PSFLSHdll{"PSFLSHdll"};
  EntryPoint<decltype(::PEFLSHdll)> PEFLSHdll{"PEFLSHdll"};
  EntryPoint<decltype(::PQFLSHdll)> PQFLSHdll{"PQFLSHdll"};
  EntryPoint<decltype(::DHFLSHdll)> DHFLSHdll{"DHFLSHdll"};
  EntryPoint<decltype(::DSFLSHdll)> DSFLSHdll{"DSFLSHdll"};
  EntryPoint<decltype(::DEFLSHdll)> DEFLSHdll{"DEFLSHdll"};
  EntryPoint<decltype(::HSFLSHdll)> HSFLSHdll{"HSFLSHdll"};
  // Optional: the record of a failed call (fluidcore/failure.h). Without it
  // only the library's text says why.
  EntryPoint<decltype(::fluidcore_last_failure_v1)> LastFailure{"fluidcore_last_failure_v1"};

  template <typename Visit>
  void ForEach(Visit&& visit) {
    visit(SETUPdll), visit(WMOLdll), visit(CRITPdll), visit(LIMITSdll), visit(THERMdll);
    visit(SATTdll), visit(SATPdll), visit(SATDdll);
    visit(TPFLSHdll), visit(TDFLSHdll), visit(THFLSHdll), visit(TSFLSHdll);
    visit(TEFLSHdll), visit(TQFLSHdll), visit(PDFLSHdll), visit(PHFLSHdll);
    visit(PSFLSHdll), visit(PEFLSHdll), visit(PQFLSHdll), visit(DHFLSHdll);
    visit(DSFLSHdll), visit(DEFLSHdll), visit(HSFLSHdll);
    visit(LastFailure);
  }
};

struct BoundLibrary {
  std::string file;     // the library file as it was opened
  std::string failure;  // why it could not be opened; empty when it was
  EntryPoints entries;  // those not found stay null
};

// The bound library, opened on the first call: libfluidcore.so beside the
// running program, unless BindLibrary chose another file.
const BoundLibrary& Library();

// libfluidcore.so in the program's folder.
std::string DefaultLibraryFile();

// A shared library of that name in the program's folder; the bare name (the
// loader's search path) where the folder is unknown.
std::string LibraryBesideProgram(std::string_view name);

// Binds another library file with the same entry points (tests bind a
// recording stand-in). The library bound before is closed, and the fluid it
// had loaded is forgotten by every thread (see BindingGeneration). No other
// thread may be making a request meanwhile.
void BindLibrary(const std::string& file);

// How many times BindLibrary has bound a library: a fluid loaded under an
// earlier count is no fluid of the library bound now.
unsigned BindingGeneration();

// The reason an entry point cannot be called.
std::string MissingEntryReason(const BoundLibrary& library, const char* name);

// The entry point, or null with the reason in `why`.
template <typename Fn>
Fn* FindEntry(EntryPoint<Fn> EntryPoints::*which, std::string& why) {
  const BoundLibrary& library = Library();
  const EntryPoint<Fn>& entry = library.entries.*which;
  if (entry.call == nullptr) why = MissingEntryReason(library, entry.name);
  return entry.call;
}

// The entry point, or null after failing the request (ErrorCode 1, the
// reason in ErrorText).
template <typename Fn>
Fn* RequireEntry(EntryPoint<Fn> EntryPoints::*which) {
  std::string why;
  Fn* call = FindEntry(which, why);
  if (call == nullptr) Layer().Fail(why, LibraryUnavailable{});
  return call;
}

// After a library routine reported ErrorCode > 0: the library's record of
// the failure beside its text, where the library gives one.
void TakeLibraryFailure(LayerState& layer);

}  // namespace property
