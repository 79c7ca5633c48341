// The read-ahead threads and the walk's side of them.
#include "search/folder_read_ahead.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "platform/path.h"

namespace zendrift::search {

namespace {

void pauseBriefly() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

// The lock is held for a few microseconds at a time: a thread that finds it taken tries again
// for about as long before it sleeps, as falling asleep and being woken cost more than that.
void lockBriefly(std::unique_lock<std::mutex>& lock) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (lock.try_lock()) return;
    pauseBriefly();
  }
  lock.lock();
}

std::unique_lock<std::mutex> lockBriefly(std::mutex& mutex) {
  std::unique_lock lock(mutex, std::defer_lock);
  lockBriefly(lock);
  return lock;
}

}  // namespace

struct FolderReadAhead::Node : std::enable_shared_from_this<Node> {
  enum class State { waiting, reading, read, taken, dropped };
  // The root's whole folder with a trailing delimiter; below it, the subfolder's name alone.
  std::string name;
  // Alive while this node is: a node is dropped before the one above it goes.
  Node* parent = nullptr;
  std::uint32_t index = 0;  // the place among the parent's subfolders, in the walk's order
  std::size_t level = 0;
  State state = State::waiting;
  // Once read; a node waiting (most of them, below a wide folder) costs no room for it.
  std::unique_ptr<FolderSnapshot> snapshot;
  std::size_t bytes = 0;
  // The subfolders read ahead, in the listing's order; the walk's place among them.
  std::vector<NodePtr> children;
  std::size_t nextChild = 0;
  std::uint32_t nextIndex = 0;
  // Held open while subfolders read ahead have yet to be opened through it.
  platform::OpenFolder open;
  std::size_t unstartedChildren = 0;
  // Counted in the parent's unstartedChildren until its reading starts.
  bool awaited = false;

  NodePtr makeChild(std::string childName) {
    auto child = std::make_shared<Node>();
    child->name = std::move(childName);
    child->parent = this;
    child->index = nextIndex++;
    child->level = level + 1;
    return child;
  }
};

bool FolderReadAhead::PreOrder::operator()(const Node* a, const Node* b) const {
  // Up to the same level; a node comes before every node below it.
  const Node* x = a;
  const Node* y = b;
  while (x->level > y->level) x = x->parent;
  while (y->level > x->level) y = y->parent;
  if (x == y) return a->level < b->level;
  // Then up to the two subfolders of the nearest folder above both.
  while (x->parent != y->parent) {
    x = x->parent;
    y = y->parent;
  }
  return x->index < y->index;
}

std::string FolderReadAhead::folderOf(const Node& node) {
  std::vector<const Node*> chain;
  std::size_t size = 0;
  for (const Node* at = &node; at; at = at->parent) {
    chain.push_back(at);
    size += at->name.size() + 1;
  }
  std::string folder;
  folder.reserve(size);
  // The root's name ends in its delimiter already.
  folder.append(chain.back()->name);
  for (auto at = chain.rbegin() + 1; at != chain.rend(); ++at) folder.append((*at)->name).push_back(platform::kPathSeparator);
  return folder;
}

FolderReadAhead::FolderReadAhead(ReadAheadRules rules)
    : rules_(std::move(rules)), snapshotRules_{rules_.fetch, rules_.readWhole, rules_.maxFileBytes} {
  ownListing_.setDotNamesHidden(rules_.dotNamesHidden);
  // First, so that nothing can throw once threads run: they would wait for a stop never set.
  onStop_.emplace(rules_.stop, std::function<void()>([this] { stopThreads(); }));
  threads_.reserve(rules_.threads + rules_.diskThreads);
  // Under the lock, as a thread may add the disk threads as soon as it runs.
  const std::lock_guard lock(mutex_);
  for (unsigned i = 0; i < rules_.threads; ++i) {
    try {
      threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      // No more threads to be had: the walk reads what these leave, with none at all.
      break;
    }
  }
}

void FolderReadAhead::startDiskThreads(const SnapshotRead& read) {
  uncachedFiles_ += read.uncached;
  if (uncachedFiles_ < rules_.uncachedToStart || diskThreadsStarted_ || stop_) return;
  diskThreadsStarted_ = true;
  // Once a stop is set no thread is added, so the destructor joins every one there is.
  for (unsigned i = 0; i < rules_.diskThreads; ++i) {
    try {
      threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      break;
    }
  }
}

FolderReadAhead::~FolderReadAhead() {
  onStop_.reset();
  stopThreads();
  threads_.clear();
}

void FolderReadAhead::stopThreads() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  workAvailable_.notify_all();
  nodeRead_.notify_all();
}

FolderReadAhead::NodePtr FolderReadAhead::root(std::string folder) {
  auto node = std::make_shared<Node>();
  node->name = std::move(folder);
  const std::lock_guard lock(mutex_);
  waiting_.insert(node.get());
  workAvailable_.notify_one();
  return node;
}

FolderReadAhead::NodePtr FolderReadAhead::enter(const NodePtr& parent, const std::string& name) {
  Closing closing;
  const auto lock = lockBriefly(mutex_);
  while (parent->nextChild < parent->children.size()) {
    NodePtr& child = parent->children[parent->nextChild++];
    if (child->name == name) return std::exchange(child, nullptr);
    drop(*child, closing);
    child.reset();
  }
  // Not read ahead (the threads were told to keep out): the walk reads it itself.
  return parent->makeChild(name);
}

void FolderReadAhead::leave(const NodePtr& node) {
  Closing closing;
  const auto lock = lockBriefly(mutex_);
  drop(*node, closing);
}

FolderSnapshot FolderReadAhead::take(const NodePtr& node) {
  auto lock = lockBriefly(mutex_);
  // While a thread reads the node, the walk reads the next waiting one itself rather than sleep;
  // it only sleeps when there is none, or when what is read ahead reaches the bound.
  const auto mayReadAhead = [&] { return !waiting_.empty() && !stop_ && withinBounds(); };
  while (node->state == Node::State::reading) {
    if (!mayReadAhead()) {
      nodeRead_.wait(lock, [&] { return node->state != Node::State::reading || mayReadAhead(); });
      continue;
    }
    const NodePtr next = (*waiting_.begin())->shared_from_this();
    readHere(lock, next);
  }
  if (node->state == Node::State::waiting) readHere(lock, node);
  FolderSnapshot snapshot = std::move(*node->snapshot);
  node->snapshot.reset();
  bytesAhead_ -= node->bytes;
  --nodesAhead_;
  node->state = Node::State::taken;
  // Threads held back by the bound go on once the walk has taken half of what they read, so
  // that each wakes for a stretch of work rather than for every folder.
  if (held_ && nodesAhead_ <= rules_.maxNodesAhead / 2 && bytesAhead_ <= rules_.maxBytesAhead / 2) {
    held_ = false;
    workAvailable_.notify_all();
  }
  return snapshot;
}

void FolderReadAhead::readHere(std::unique_lock<std::mutex>& lock, const NodePtr& node) {
  waiting_.erase(node.get());
  node->state = Node::State::reading;
  ++nodesAhead_;
  Closing closing;
  Start started = start(*node, closing);
  lock.unlock();
  closing.clear();
  SnapshotRead done = read(ownListing_, std::move(started), stop_);
  std::vector<std::string> subfolders = subfoldersOf(done.snapshot, node->level);
  // Closed here rather than under the lock.
  if (subfolders.empty()) done.open = {};
  lockBriefly(lock);
  startDiskThreads(done);
  finish(node, std::move(done), std::move(subfolders));
}

FolderReadAhead::Start FolderReadAhead::start(Node& node, Closing& closing) {
  Start started;
  started.place.folder = folderOf(node);
  if (node.parent) {
    started.place.name = node.name;
    started.place.parent = node.parent->open;
    if (node.awaited) {
      node.awaited = false;
      if (--node.parent->unstartedChildren == 0) release(*node.parent, closing);
    }
  }
  started.holdOpen = foldersHeld_ < rules_.maxFoldersHeld;
  return started;
}

void FolderReadAhead::release(Node& node, Closing& closing) {
  if (!node.open) return;
  closing.push_back(std::move(node.open));
  node.open = {};
  --foldersHeld_;
}

bool FolderReadAhead::withinBounds() const {
  return nodesAhead_ < rules_.maxNodesAhead && bytesAhead_ < rules_.maxBytesAhead;
}

void FolderReadAhead::work() {
  platform::DirectoryListing listing;
  listing.setDotNamesHidden(rules_.dotNamesHidden);
  auto lock = lockBriefly(mutex_);
  for (;;) {
    workAvailable_.wait(lock, [&] {
      if (stop_) return true;
      if (waiting_.empty()) return false;
      held_ = held_ || !withinBounds();
      return !held_;
    });
    if (stop_) return;
    const NodePtr node = (*waiting_.begin())->shared_from_this();
    waiting_.erase(waiting_.begin());
    node->state = Node::State::reading;
    ++nodesAhead_;
    bool complete = true;
    SnapshotRead done;
    std::vector<std::string> subfolders;
    Start started;
    Closing closing;
    try {
      started = start(*node, closing);
    } catch (...) {
      complete = false;
    }
    lock.unlock();
    closing.clear();
    try {
      if (complete) done = read(listing, std::move(started), stop_);
      subfolders = subfoldersOf(done.snapshot, node->level);
      // Closed here rather than under the lock.
      if (subfolders.empty()) done.open = {};
    } catch (...) {
      // Out of memory, say: the walk reads this folder itself and meets the failure there.
      complete = false;
    }
    lockBriefly(lock);
    startDiskThreads(done);
    if (node->state == Node::State::dropped) {
      --nodesAhead_;
      continue;
    }
    if (complete && !stop_) {
      try {
        finish(node, std::move(done), std::move(subfolders));
      } catch (...) {
        // Out of memory there too. A listing stored keeps the subfolders queued so far, the
        // walk reads the others itself; one not stored the walk reads again.
      }
    }
    if (node->state == Node::State::reading) {
      node->state = Node::State::waiting;
      --nodesAhead_;
    }
    nodeRead_.notify_all();
  }
}

SnapshotRead FolderReadAhead::read(platform::DirectoryListing& listing, Start&& started,
                                   const std::atomic<bool>& stop) {
  return readFolderSnapshot(listing, std::move(started.place), snapshotRules_, started.holdOpen, stop);
}

std::vector<std::string> FolderReadAhead::subfoldersOf(const FolderSnapshot& snapshot, std::size_t level) {
  if (snapshot.openError || snapshot.stopped || snapshot.hiddenSystem || !rules_.subfolders) return {};
  return rules_.subfolders(snapshot, level);
}

void FolderReadAhead::finish(const NodePtr& node, SnapshotRead&& read, std::vector<std::string>&& subfolders) {
  FolderSnapshot& snapshot = read.snapshot;
  // A folder met again (a bind mount) is not read below a second time; should the walk enter
  // it there after all, it reads on itself.
  const bool fresh = !snapshot.id || seen_.insert(*snapshot.id).second;
  node->bytes = snapshot.bytes();
  bytesAhead_ += node->bytes;
  node->snapshot = std::make_unique<FolderSnapshot>(std::move(snapshot));
  node->state = Node::State::read;
  if (!fresh || subfolders.empty()) return;
  node->children.reserve(subfolders.size());
  // Threads that started while there was room may finish together: the bound holds for them
  // too, and a folder not held is closed here and its subfolders are opened by path.
  if (read.open && foldersHeld_ < rules_.maxFoldersHeld) {
    node->open = std::move(read.open);
    ++foldersHeld_;
  }
  for (std::string& name : subfolders) {
    NodePtr child = node->makeChild(std::move(name));
    waiting_.insert(child.get());
    child->awaited = true;
    ++node->unstartedChildren;
    node->children.push_back(std::move(child));
  }
  workAvailable_.notify_all();
}

void FolderReadAhead::drop(Node& node, Closing& closing) {
  switch (node.state) {
    case Node::State::waiting:
      waiting_.erase(&node);
      if (node.awaited && --node.parent->unstartedChildren == 0) release(*node.parent, closing);
      node.awaited = false;
      break;
    case Node::State::read:
      --nodesAhead_;
      bytesAhead_ -= node.bytes;
      node.snapshot.reset();
      break;
    case Node::State::reading:  // its thread counts it off when done
    case Node::State::taken:
    case Node::State::dropped: break;
  }
  node.state = Node::State::dropped;
  release(node, closing);
  for (const NodePtr& child : node.children) {
    if (child) drop(*child, closing);
  }
  node.children.clear();
}

}  // namespace zendrift::search
