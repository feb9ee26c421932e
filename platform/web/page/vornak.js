// The page's one global, Vornak: made by failure.js, the first script, with
// the message box of a program that cannot run; the page's scripts add what
// the program calls (Vornak.page), the queue of calls (Vornak.calls), the
// resolutions whose faces have been made (Vornak.faces) and the program
// once it runs (Vornak.program).
export const Vornak = window.Vornak;
export const Failure = Vornak.failure;
