// Whether a page holds edits not yet applied (what enables Apply), and telling the frame so.
#pragma once

namespace norvane::pages {

class PageSite {
public:
    virtual ~PageSite() = default;
    // The page has become dirty: the frame enables Apply.
    virtual void pageChanged() = 0;
};

class PageChanges {
public:
    explicit PageChanges(PageSite& site) : site_(site) {}

    bool changed() const { return changed_; }
    void markChanged();
    void clear() { changed_ = false; }

    // Values a page puts up for a new selection are no edits: it starts unchanged, and whatever
    // it sets meanwhile marks nothing.
    class Loading {
    public:
        explicit Loading(PageChanges& changes);
        ~Loading();
        Loading(const Loading&) = delete;
        Loading& operator=(const Loading&) = delete;

    private:
        PageChanges& changes_;
    };

private:
    PageSite& site_;
    bool changed_ = false;
    bool loading_ = false;
};

} // namespace norvane::pages
