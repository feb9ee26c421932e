// The page's one global, Vornak: made by failure.js, the first script, with
// the message box of a program that cannot run; the page's modules add what
// the program calls (Vornak.page) and what starts it (Vornak.boot).
export const Vornak = window.Vornak;
export const Failure = Vornak.failure;
