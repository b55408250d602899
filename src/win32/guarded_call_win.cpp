#include "win32/guarded_call_win.h"

// MinGW's GCC has no __try/__except for i686, and a vectored handler would come too early: it
// sees every exception before the library's own handlers do, so a library that probes memory
// under its own __try, or throws and catches C++ exceptions, would be judged faulty. The guard
// is therefore a frame-based handler of the kind __except installs, on the one call frame below
// which the library runs, made by hand for each processor:
//  - i686: a registration record on the stack, linked into the chain at fs:[0] for the call;
//  - x86_64: the thunk's unwind data in .pdata/.xdata names the handler (.seh_handler).
// Either way the system asks the library's own handlers first and this one only when none of
// them took the exception. The handler then unwinds the library's frames as __except would
// (RtlUnwind/RtlUnwindEx: the library's cleanup runs and, on i686, its records leave the chain),
// and resumes in the thunk's own frame, which answers -1 instead of the byte. Resuming instead
// of continuing at the faulting instruction also works for exceptions that cannot be continued.
//
// Limits: when a fault has wrecked the stack so badly that the system cannot walk up to the
// thunk, no handler is found and the process ends as it would have without the guard. A stack
// overflow leaves the thread without its guard page for the rest of the run.

extern "C" {
// The thunk: calls function(argument) and answers its byte zero-extended, or -1 after a fault.
int velvane_guarded_call(velvane::ByteFunction function, HWND argument);
// The point in the thunk where it leaves with whatever eax/rax holds.
extern char velvane_guarded_call_resume[];
}

#if defined(__x86_64__)

// sub rsp, 40 keeps the stack aligned and gives the callee its 32-byte home area. The handler's
// unwind ends in this frame with rax = -1 and rip at the epilogue.
asm(R"(
    .text
    .globl velvane_guarded_call
    .globl velvane_guarded_call_resume
    .def velvane_guarded_call; .scl 2; .type 32; .endef
    .seh_proc velvane_guarded_call
velvane_guarded_call:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler velvane_guard_handler, @except
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    movzbl %al, %eax
velvane_guarded_call_resume:
    addq $40, %rsp
    ret
    .seh_endproc
)");

extern "C" EXCEPTION_DISPOSITION velvane_guard_handler(EXCEPTION_RECORD* record, void* frame,
                                                      CONTEXT*, DISPATCHER_CONTEXT* dispatch) {
    if (record->ExceptionFlags & EXCEPTION_UNWIND) return ExceptionContinueSearch;
    // Does not return: continues at the resume point in `frame` with rax = -1.
    RtlUnwindEx(frame, velvane_guarded_call_resume, record, reinterpret_cast<void*>(-1),
                dispatch->ContextRecord, dispatch->HistoryTable);
    return ExceptionContinueSearch;
}

#elif defined(__i386__)

// Frame layout below ebp: saved ebx, esi, edi, then the registration record (handler at
// ebp-16, link to the previous record at ebp-20). The resume path finds ebp again from the
// record's address, restores the chain and the saved registers, and leaves with eax as it is.
// The callee is stdcall, but esp is taken from ebp anyway, so a library declared cdecl by
// mistake does no harm either.
//
// The system's RtlUnwind hands ebx, esi and edi back as it pleases (it returns through a context
// it captured itself, with those registers cleared); only esp and ebp come back as they were.
// Wine's keeps them all, so nothing run here would notice a handler that relied on them. The
// handler therefore unwinds through velvane_guard_unwind, which keeps ebp, ebx, esi and edi on
// the stack around the unwinder and, afterwards, reads nothing but esp: the stdcall unwinder
// removes its four arguments, so esp points at the saved registers again. The direction flag
// is cleared for the unwinder and the library's unwind handlers, as every call expects.
asm(R"(
    .text
    .globl _velvane_guarded_call
    .globl _velvane_guarded_call_resume
    .globl _velvane_guard_resume
    .globl _velvane_guard_unwind
    .def _velvane_guarded_call; .scl 2; .type 32; .endef
_velvane_guarded_call:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl $_velvane_guard_handler
    pushl %fs:0
    movl %esp, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    movzbl %al, %eax
_velvane_guarded_call_resume:
    leal -20(%ebp), %esp
    popl %ecx
    movl %ecx, %fs:0
    addl $4, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    .def _velvane_guard_resume; .scl 2; .type 32; .endef
_velvane_guard_resume:
    movl 4(%esp), %eax
    leal 20(%eax), %ebp
    movl $-1, %eax
    jmp _velvane_guarded_call_resume

    .def _velvane_guard_unwind; .scl 2; .type 32; .endef
_velvane_guard_unwind:
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 20(%esp), %eax
    movl 24(%esp), %ecx
    cld
    pushl $0
    pushl %ecx
    pushl $0
    pushl %eax
    call *_velvane_guard_unwinder
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

extern "C" {
[[noreturn]] void velvane_guard_resume(void* record);
// RtlUnwind(frame, nullptr, record, nullptr) through velvane_guard_unwinder, with every register
// the caller may rely on kept, whatever the unwinder does with them.
void velvane_guard_unwind(void* frame, EXCEPTION_RECORD* record);

velvane::Unwinder velvane_guard_unwinder = &RtlUnwind;
}

extern "C" EXCEPTION_DISPOSITION __cdecl velvane_guard_handler(EXCEPTION_RECORD* record,
                                                              void* frame, CONTEXT*, void*) {
    if (record->ExceptionFlags & EXCEPTION_UNWIND) return ExceptionContinueSearch;
    // Calls the unwind handlers of the library's records and unlinks them: the chain at fs:[0]
    // ends at this frame's record again. Then leave the dispatcher's stack for the thunk's frame.
    velvane_guard_unwind(frame, record);
    velvane_guard_resume(frame);
}

#else
#error "the guarded call needs a thunk for this processor"
#endif

namespace velvane {

std::optional<unsigned char> CallGuarded(ByteFunction function, HWND argument) {
    const int answer = velvane_guarded_call(function, argument);
    if (answer < 0) return std::nullopt;
    return static_cast<unsigned char>(answer);
}

}  // namespace velvane
